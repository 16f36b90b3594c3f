#include <gtest/gtest.h>

#include <vector>

#include "capture/model/CaptureDocument.h"
#include "capture/model/CaptureSteps.h"
#include "capture/model/RubberBand.h"
#include "support/DistinctPattern.h"
#include "support/ErrorMessage.h"
#include "support/QuietDocumentHost.h"

using namespace lumarte::capture;
using lumarte::editor::TBitmap;

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
  // An empty hot key field means "<".
  EXPECT_EQ(HotKeyCharacter(""), '<');
  EXPECT_EQ(HotKeyCharacter("q"), 'q');
}

TEST(RubberBandTest, FrameSpansPressAndPointer) {
  const struct {
    const char* Name;
    std::vector<std::pair<int, int>> Path;  // press point first, then the moves
    TFrame Frame;
    bool Taken;
  } cases[] = {
      {"DownRight", {{50, 40}, {55, 45}, {60, 60}}, {50, 40, 11, 21}, true},
      {"UpLeft", {{50, 40}, {45, 35}, {40, 20}}, {40, 20, 11, 21}, true},
      {"UpRight", {{50, 40}, {60, 20}}, {50, 20, 11, 21}, true},
      {"DownLeft", {{50, 40}, {40, 60}}, {40, 40, 11, 21}, true},
      // Left past the pressed point and back: the pressed corner stays put.
      {"LeftThenBack", {{50, 40}, {30, 50}, {20, 52}, {70, 60}}, {50, 40, 21, 21}, true},
      {"TenByForty", {{10, 10}, {19, 49}}, {10, 10, 10, 40}, false},
      {"FortyByTen", {{10, 10}, {49, 19}}, {10, 10, 40, 10}, false},
      {"ElevenByEleven", {{10, 10}, {20, 20}}, {10, 10, 11, 11}, true},
      // The pointer outside the picture holds the frame at its edge.
      {"PastTheEdge", {{90, 70}, {300, 200}}, {90, 70, 10, 10}, false},
      {"PastTheOrigin", {{20, 30}, {-50, -9}}, {0, 0, 21, 31}, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TRubberBand band(100, 80);
    band.Press(c.Path[0].first, c.Path[0].second);
    for (size_t i = 1; i < c.Path.size(); ++i) band.Move(c.Path[i].first, c.Path[i].second);
    EXPECT_EQ(band.Frame(), c.Frame);
    EXPECT_EQ(band.Release(), c.Taken);
    EXPECT_FALSE(band.Selecting());
    // An ignored frame shrinks back to the pressed point; the user drags again.
    if (!c.Taken) EXPECT_EQ(band.Frame(), (TFrame{c.Path[0].first, c.Path[0].second, 1, 1}));
  }
}

TEST(RubberBandTest, MovesWithoutPressDoNothing) {
  TRubberBand band(100, 80);
  band.Move(30, 30);
  EXPECT_FALSE(band.Visible());
  EXPECT_FALSE(band.Release());
}

TEST(CutFrameTest, CopiesTheFramedPixels) {
  const TBitmap picture = lumarte::fixtures::DistinctPattern(30, 20);
  TBitmap part = CutFrame(picture, {5, 3, 11, 12});
  ASSERT_EQ(part.Width(), 11);
  ASSERT_EQ(part.Height(), 12);
  EXPECT_EQ(part.Pixel(0, 0), picture.Pixel(5, 3));
  EXPECT_EQ(part.Pixel(10, 11), picture.Pixel(15, 14));
}

TEST(CaptureDocumentTest, NewDocumentHoldsTheUnsavedPictureAndTheEleventhIsRefused) {
  QuietHost host;
  lumarte::editor::DocumentList docs{host};
  EXPECT_TRUE(CapturesIntoNewDocument(docs, false));  // nothing open: a new document anyway
  AddCapturedDocument(docs, TBitmap(12, 7));
  const auto& d = docs.Current();
  EXPECT_TRUE(d.InUse);
  EXPECT_TRUE(d.Modified);
  EXPECT_EQ(d.Bitmap->Width(), 12);
  EXPECT_EQ(d.Undo[1], nullptr);
  EXPECT_FALSE(CapturesIntoNewDocument(docs, false));
  for (int k = 1; k < 10; ++k) AddCapturedDocument(docs, TBitmap(k + 1, 1));
  EXPECT_EQ(Message([&] { AddCapturedDocument(docs, TBitmap(50, 50)); }),
            "Too many open images! Solution: Close an image before you open a new one.");
  EXPECT_EQ(docs.Current().Bitmap->Width(), 10);
  EXPECT_EQ(docs.Slot(9).Bitmap->Width(), 12);
}

}  // namespace
