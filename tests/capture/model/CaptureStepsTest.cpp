#include <gtest/gtest.h>

#include <vector>

#include "capture/model/CaptureSteps.h"

using namespace lumarte::capture;

namespace {

TEST(CaptureStepsTest, TicksUntilStepThree) {
  using A = TCaptureAction;
  const struct {
    TCaptureTrigger Trigger;
    int Delay;
    bool ShowPhoto;
    int Interval;
    std::vector<TCaptureAction> Ticks;
  } cases[] = {
      // Five seconds without the flash: the copy on the first tick, 5 s in.
      {TCaptureTrigger::Delay, 5, false, 5000, {A::Grab}},
      // One second with the flash: "Photo!" for a second, then hidden, then the copy.
      {TCaptureTrigger::Delay, 1, true, 1000, {A::ShowPhoto, A::HidePhoto, A::Grab}},
      {TCaptureTrigger::HotKey, 7, false, 100, {A::Grab}},
      {TCaptureTrigger::HotKey, 7, true, 100, {A::ShowPhoto, A::HidePhoto, A::Grab}},
      // A delay outside the dialog's range is held to it.
      {TCaptureTrigger::Delay, 500, false, 120000, {A::Grab}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "delay " << c.Delay << (c.ShowPhoto ? " with photo" : ""));
    TCaptureSettings s;
    s.Trigger = c.Trigger;
    s.DelaySeconds = c.Delay;
    s.ShowPhoto = c.ShowPhoto;
    TCaptureSteps steps(s);
    EXPECT_EQ(steps.IntervalMs(), c.Interval);
    const bool hotKey = c.Trigger == TCaptureTrigger::HotKey;
    EXPECT_EQ(steps.WaitsForHotKey(), hotKey);
    EXPECT_EQ(steps.TimerRunning(), !hotKey);
    if (hotKey) steps.HotKeyPressed();
    EXPECT_TRUE(steps.TimerRunning());
    std::vector<TCaptureAction> ticks;
    while (!steps.Done() && ticks.size() < 10) ticks.push_back(steps.Tick());
    EXPECT_EQ(ticks, c.Ticks);
    EXPECT_EQ(steps.Step(), 3);
    EXPECT_FALSE(steps.WaitsForHotKey());
    EXPECT_EQ(steps.Tick(), TCaptureAction::Close);  // ticks after the end only close
  }
}

TEST(HotKeyCharacterTest, EmptyFieldMeansLessThan) {
  EXPECT_EQ(HotKeyCharacter(""), '<');
  EXPECT_EQ(HotKeyCharacter("q"), 'q');
}

}  // namespace
