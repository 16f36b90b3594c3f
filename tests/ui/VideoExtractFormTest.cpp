// The video window in the editor: what it shows, where grabbed frames go
// and when it refuses; the player and the hand-over are tested in tests/video.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "EventLoop.h"
#include "WindowTest.h"
#include "editor/model/ImageFiles.h"
#include "support/ErrorMessage.h"
#include "support/TempFolder.h"
#include "support/TestVideos.h"
#include "video/ui/VideoExtractForm.h"
#include "video/ui/VideoWindow.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::fixtures;
using video::TGrabAction;
using video::TVideoExtractForm;

namespace {

class VideoExtractFormTest : public WindowTest {
 protected:
  static inline TempFolder folder;
  TVideoExtractForm* player = nullptr;

  static std::string Video(const char* name, const char* codec) {
    std::string file = folder.File(name);
    if (!std::filesystem::exists(file)) MakeTestVideo(file, codec);
    return file;
  }
  void SetUp() override {
    WindowTest::SetUp();
    window->LMVideo1Click();
    player = window->VideoForm;
    player->Timer2->setInterval(20);
  }
  // Opened and paused at frame n.
  void OpenAt(const std::string& file, int n) {
    prompts.OpenAnswers.push_back({file});
    player->VFE_OpenVideoClick();
    player->VFE_PauseClick();
    player->Player.Seek(n);
  }
  void Grab(TGrabAction action) {
    player->VFE_GrabClick(action);
    ASSERT_TRUE(lumarte::testing::ProcessEventsUntil([&] { return !player->Timer2->isActive(); }, 8000));
  }
};

}  // namespace

TEST_F(VideoExtractFormTest, OpenShowsLengthsAndStepsByTen) {
  EXPECT_TRUE(player->findChild<QPushButton*>("ThumbButton")->isEnabled()) << "the editor has a creator";
  OpenAt(Video("steps.mpg", "-c:v mpeg1video -g 12 -q:v 3"), 0);
  EXPECT_EQ(player->TFrameEdit->text(), "50");
  EXPECT_EQ(player->TmsEdit->text(), "00:02.000");
  player->findChild<QPushButton*>("SpeedButton4")->click();  // ">>"
  player->findChild<QPushButton*>("SpeedButton3")->click();  // ">"
  EXPECT_EQ(player->CFrameEdit->text(), "11");
  EXPECT_EQ(player->CmsEdit->text(), "00:00.440");
  EXPECT_EQ(FrameNumberShown(*player->Player.CurrentFrame()), 11);
  player->findChild<QPushButton*>("SpeedButton2")->click();  // "<<"
  player->findChild<QPushButton*>("SpeedButton2")->click();
  EXPECT_EQ(player->CFrameEdit->text(), "0");
  player->VFE_SetZoom(video::ZoomIn(3.0f));
  EXPECT_EQ(player->OleContainer1->size(), QSize(481, 361));
}

TEST_F(VideoExtractFormTest, SavedAsJpegTheFrameIsClosedAgain) {
  OpenAt(Video("steps.mpg", "-c:v mpeg1video -g 12 -q:v 3"), 30);
  std::string jpeg = folder.File("frame30.jpg");
  prompts.SaveNameAnswers.push_back(jpeg);
  // The cover panel hides the MPEG video between the two copies.
  player->VFE_GrabClick(TGrabAction::SaveJpeg);
  EXPECT_TRUE(player->Panel2->isVisible());
  EXPECT_FALSE(player->isEnabled());
  ASSERT_TRUE(lumarte::testing::ProcessEventsUntil([&] { return !player->Timer2->isActive(); }, 8000));
  EXPECT_EQ(prompts.LastSavePreset, folder.File("steps-30.jpg"));
  EXPECT_FALSE(window->Docs.Current().InUse);
  EXPECT_FALSE(player->FrameSent());
  auto saved = LoadImageFile(jpeg);
  ASSERT_TRUE(saved);
  EXPECT_EQ(FrameNumberShown(*saved), 30);
  EXPECT_EQ(saved->Width(), kVideoWidth);
}

// Refused before anything is grabbed.
TEST_F(VideoExtractFormTest, RefusedWithoutAVideoOrWithTenImages) {
  player->VFE_GrabClick(TGrabAction::ToEditor);  // nothing open: nothing happens
  EXPECT_FALSE(player->Timer2->isActive());
  for (int i = 0; i < kSlotCount; ++i) window->Docs.NewImage(4, 4);
  OpenAt(Video("grab.avi", "-c:v mjpeg -q:v 3"), 3);
  EXPECT_EQ(Message([&] { player->VFE_GrabClick(TGrabAction::ToEditor); }),
            "Too many open images.");
  EXPECT_TRUE(player->isEnabled());
}

TEST_F(VideoExtractFormTest, TruncatedFilePlaysWhatIsThereAndSaysSo) {
  std::string cut = folder.File("cut.avi");
  Truncate(Video("grab.avi", "-c:v mjpeg -q:v 3"), cut, 0.4);
  player->Loop->setChecked(false);
  player->OpenVideo(cut);
  ASSERT_TRUE(lumarte::testing::ProcessEventsUntil(
      [&] { return player->StatusPanels[1]->text().contains("after frame"); },
      4000));
}

// Started alone, closing ends the program until a grabbed frame went to the
// editor as a document of its pixels.
TEST_F(VideoExtractFormTest, GrabbedFrameBecomesADocumentAndKeepsTheProgramRunning) {
  int ended = 0;
  player->EndProgram = [&] { ++ended; };
  player->StartedAlone = true;
  player->close();
  lumarte::testing::ProcessEventsFor(20);
  EXPECT_EQ(ended, 1);
  OpenAt(Video("grab.avi", "-c:v mjpeg -q:v 3"), 17);
  Grab(TGrabAction::ToEditor);
  const TBM& d = window->Docs.Current();
  ASSERT_TRUE(d.InUse);
  EXPECT_EQ(*d.Bitmap, *player->Player.CurrentFrame());
  EXPECT_EQ(FrameNumberShown(*d.Bitmap), 17);
  EXPECT_TRUE(player->FrameSent());
  EXPECT_EQ(player->StatusPanels[0]->text(), "Done");
  EXPECT_TRUE(player->isEnabled());
  player->close();
  lumarte::testing::ProcessEventsFor(20);
  EXPECT_EQ(ended, 1);
}
