#include <gtest/gtest.h>

#include <vector>

#include "capture/model/CaptureSteps.h"

using namespace lumarte::capture;

namespace {

struct StepCase {
  TCaptureTrigger Trigger;
  int Delay;
  bool ShowPhoto;
  int Interval;
  std::vector<TCaptureAction> Ticks;
};

class CaptureStepsTest : public testing::TestWithParam<StepCase> {};

TEST_P(CaptureStepsTest, TicksUntilStepThree) {
  const StepCase& c = GetParam();
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
}

using A = TCaptureAction;
INSTANTIATE_TEST_SUITE_P(
    Sequences, CaptureStepsTest,
    testing::Values(
        // Five seconds without the flash: the copy on the first tick, 5 s in.
        StepCase{TCaptureTrigger::Delay, 5, false, 5000, {A::Grab}},
        // One second with the flash: "Photo!" for a second, then hidden, then the copy.
        StepCase{TCaptureTrigger::Delay, 1, true, 1000, {A::ShowPhoto, A::HidePhoto, A::Grab}},
        StepCase{TCaptureTrigger::HotKey, 7, false, 100, {A::Grab}},
        StepCase{TCaptureTrigger::HotKey, 7, true, 100, {A::ShowPhoto, A::HidePhoto, A::Grab}},
        // A delay outside the dialog's range is held to it.
        StepCase{TCaptureTrigger::Delay, 500, false, 120000, {A::Grab}}));

TEST(CaptureStepsTest, TicksAfterTheEndOnlyClose) {
  TCaptureSteps steps{TCaptureSettings{}};
  steps.Tick();
  EXPECT_EQ(steps.Tick(), TCaptureAction::Close);
  EXPECT_TRUE(steps.Done());
}

TEST(HotKeyCharacterTest, EmptyFieldMeansLessThan) {
  EXPECT_EQ(HotKeyCharacter(""), '<');
  EXPECT_EQ(HotKeyCharacter("q"), 'q');
}

}  // namespace
