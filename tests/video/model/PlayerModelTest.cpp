#include <gtest/gtest.h>

#include "support/ErrorMessage.h"
#include "support/QuietDocumentHost.h"
#include "video/model/FrameGrab.h"
#include "video/model/FrameHandover.h"
#include "video/model/PlayerArithmetic.h"

using namespace lumarte;
using namespace lumarte::video;
using editor::TBitmap;

namespace {

TBitmap Rows(int w, int h, const std::vector<uint8_t>& rowGrey) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * 3; ++x) b.ScanLine(y)[x] = rowGrey[y % rowGrey.size()];
  return b;
}

}  // namespace

TEST(GrabChoiceTest, DetailScoreCountsVerticalSteps) {
  const struct {
    int W, H;
    std::vector<uint8_t> Rows;
    int Score;
  } cases[] = {{20, 20, {0}, 0},
               // d = 3 (1 per channel): 1 per pair; rows 0..h-3 compared.
               {2, 5, {0, 1}, 2 * 3},
               // d = 3 * 10 = 30 > 20: 3 per pair.
               {1, 4, {0, 10}, 3 * 2},
               // d = 3 * 20 = 60 > 50: 8 per pair.
               {1, 4, {0, 20}, 8 * 2},
               // Counting stops at the cap, within one pair's worth.
               {1000, 1000, {0, 255}, 30000},
               {1, 2, {0, 255}, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(DetailScore(Rows(c.W, c.H, c.Rows)), c.Score) << c.W << " x " << c.H;
}

TEST(GrabChoiceTest, SecondKeptUnlessLowerAndCoverPanelExceptForAviWithoutCareful) {
  EXPECT_TRUE(KeepSecondGrab(0, 0));
  EXPECT_TRUE(KeepSecondGrab(0, 1));
  EXPECT_FALSE(KeepSecondGrab(5, 4));
  EXPECT_FALSE(NeedsCoverPanel(false, "/v/Clip.avi"));
  EXPECT_TRUE(NeedsCoverPanel(true, "/v/clip.AVI"));
  EXPECT_TRUE(NeedsCoverPanel(false, "/v/clip.mpg"));
}

// The step of each tick, and when the second grab comes.
std::vector<TGrabStep> Ticks(bool cover, int n) {
  TGrabTimerSteps steps;
  steps.Start(cover);
  std::vector<TGrabStep> out;
  for (int i = 0; i < n; ++i) out.push_back(steps.Tick());
  return out;
}

TEST(GrabTimerTest, SecondGrabOnceAfterOneOrFourTicks) {
  using enum TGrabStep;
  EXPECT_EQ(Ticks(false, 3), (std::vector{SecondGrab, Wait, Wait}));
  EXPECT_EQ(Ticks(true, 6), (std::vector{Wait, HideCover, Wait, SecondGrab, Wait, Wait}));
}

class HandOverTest : public ::testing::Test {
 protected:
  QuietHost host;
  editor::DocumentList docs{host};
  std::vector<std::string> calls;
  bool saveAnswer = true;
  TEditorLink link{&docs, [this] { calls.push_back("show"); },
                   [this] {
                     calls.push_back("save " + docs.Current().FileName);
                     if (saveAnswer) docs.Current().Modified = false;
                     return saveAnswer;
                   },
                   [this] { calls.push_back("thumb"); }};
  void Grab(TGrabAction action) {
    HandOver(link, std::make_unique<TBitmap>(Rows(4, 3, {7})), action, "/v/clip-12.jpg");
  }
};

// What each action does with saved files is checked on the player window
// (VideoExtractFormTest); here the calls and a cancelled save.
TEST_F(HandOverTest, ToEditorShowsItAndACancelledSaveKeepsTheGrabOpen) {
  Grab(TGrabAction::ToEditor);
  saveAnswer = false;
  Grab(TGrabAction::SaveAndSendToThumbnailCreator);
  EXPECT_EQ(calls, (std::vector<std::string>{"show", "save /v/clip-12.jpg", "show"}));
  EXPECT_TRUE(docs.Slot(0).InUse);
  EXPECT_TRUE(docs.Current().InUse);
  EXPECT_TRUE(docs.Current().Modified);
  EXPECT_TRUE(docs.Current().FileName.empty());
  EXPECT_EQ(docs.Current().Bitmap->ScanLine(2)[11], 7);
}

TEST_F(HandOverTest, TenOpenImagesRefuseTheGrab) {
  for (int i = 0; i < 10; ++i) Grab(TGrabAction::ToEditor);
  EXPECT_EQ(Message([&] { Grab(TGrabAction::ToEditor); }), "Too many open images.");
  EXPECT_EQ(FrameFileName("/v/my clip.mpg", 42), "/v/my clip-42.jpg");
}

TEST(TimeTextTest, MinutesGoPastSixty) {
  const std::pair<int64_t, const char*> cases[] = {
      {65042, "01:05.042"}, {3600000, "60:00.000"}, {0, "00:00.000"},
      {999, "00:00.999"},   {6000000, "100:00.000"}};
  for (auto [ms, text] : cases) EXPECT_EQ(TimeText(ms), text);
}

TEST(ZoomTest, StepsStayWithinLimitsAndScaleFromTheCorner) {
  EXPECT_FLOAT_EQ(ZoomIn(3.0f), 3.0f);
  EXPECT_FLOAT_EQ(ZoomIn(1.0f), 1.1f);
  EXPECT_FLOAT_EQ(ZoomOut(1.0f), 0.9f);
  float z = 1.0f;
  for (int i = 0; i < 40; ++i) z = ZoomOut(z);  // held at 0.1 once there
  EXPECT_FLOAT_EQ(z, 0.1f);
  TDisplayRect r = ZoomedRect({5, 7, 165, 127}, 0.5f);
  EXPECT_EQ(r.Left, 5);
  EXPECT_EQ(r.Top, 7);
  EXPECT_EQ(r.Width(), 80);
  EXPECT_EQ(r.Height(), 60);
  // 161 * 0.5 = 80.5 rounds to the even 80.
  EXPECT_EQ(ZoomedRect({0, 0, 161, 3}, 0.5f).Width(), 80);
}

TEST(SliderSeekTest, SeeksOnlyBeyondBothThresholds) {
  const struct {
    int Slider;
    int64_t Frame, Length;
    std::optional<int64_t> Target;
  } cases[] = {
      // The timer's own update: slider follows the frame, no seek.
      {500, 5000, 10000, std::nullopt},
      // 51 slider steps away and 510 frames away: seeks.
      {551, 5000, 10000, 5510},
      // Exactly 50 steps is not beyond the threshold.
      {550, 5000, 10000, std::nullopt},
      // A short video: far on the slider but within 50 frames.
      {900, 0, 50, std::nullopt},
      // A long jump in a short video's frames is needed as well.
      {1000, 0, 200, 200},
      {10, 0, 0, std::nullopt}};
  for (const auto& c : cases)
    EXPECT_EQ(SliderSeekTarget(c.Slider, c.Frame, c.Length), c.Target) << c.Slider << "@" << c.Frame;
}

TEST(StepTest, NeverBeforeTheFirstFrame) {
  EXPECT_EQ(StepTarget(0, -1), 0);
  EXPECT_EQ(StepTarget(5, -10), 0);
  EXPECT_EQ(StepTarget(5, 10), 15);
  EXPECT_EQ(SliderPosition(49, 50), 980);
  EXPECT_EQ(FramePositionMs(25, 2000, 50), 1000);
}
