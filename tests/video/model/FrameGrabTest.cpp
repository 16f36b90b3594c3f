#include <gtest/gtest.h>

#include "imaging/Errors.h"
#include "support/ErrorMessage.h"
#include "support/QuietDocumentHost.h"
#include "video/model/FrameGrab.h"
#include "video/model/FrameHandover.h"

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
