// The player window's commands: open and close, the player buttons, the
// position timer, the slider, zoom and the frame grab.
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "imaging/Errors.h"
#include "imaging/FileUtils.h"
#include "platform/RasterImage.h"
#include "video/ui/VideoExtractForm.h"
#include "video/ui/VideoWindow.h"

namespace lumarte::video {

void TVideoExtractForm::VFE_OpenVideoClick() {
  auto names = Prompts.AskOpenFileNames(kVideoOpenFilter);
  if (!names.empty()) OpenVideo(names.front());
}

void TVideoExtractForm::OpenVideo(const std::string& fileName) {
  if (Open) VFE_CloseVideoClick();
  StatusPanels[1]->setText(QString::fromStdString(fileName + " is open."));
  try {
    Player.Open(fileName);
  } catch (...) {
    StatusPanels[1]->clear();
    throw;
  }
  FileName = fileName;
  Natural = {0, 0, Player.Width(), Player.Height()};
  Open = true;
  LayOut();
  LengthMs = Player.LengthMs();
  TmsEdit->setText(QString::fromStdString(TimeText(LengthMs)));
  LengthFrames = Player.LengthFrames();
  TFrameEdit->setText(QString::number(LengthFrames));
  Timer1->start();
  Player.Play();
}

void TVideoExtractForm::VFE_CloseVideoClick() {
  StatusPanels[1]->clear();
  Timer1->stop();
  Player.Close();
  Open = false;
  Playing = false;
  LayOut();
}

void TVideoExtractForm::VFE_CloseAndExitClick() {
  hide();
  close();
  if (EndProgram) EndProgram();
}

void TVideoExtractForm::closeEvent(QCloseEvent* event) {
  if (Open) Player.Stop();
  event->accept();
  if (StartedAlone && !Sent && EndProgram) QTimer::singleShot(0, this, [this] { EndProgram(); });
}

void TVideoExtractForm::VFE_PlayClick() {
  Player.Play();
}

void TVideoExtractForm::VFE_PauseClick() {
  if (Player.Mode() == platform::TPlayerMode::Playing)
    Player.Pause();
  else
    Player.Resume();
}

void TVideoExtractForm::VFE_StopClick() {
  Player.Stop();
}

void TVideoExtractForm::VFE_StepClick(int delta) {
  if (!Open) return;
  Player.Pause();
  int64_t target = StepTarget(Player.Position(), delta);
  if (LengthFrames > 0) target = std::min(target, LengthFrames - 1);
  Player.Seek(target);
  Timer1Timer();
}

void TVideoExtractForm::Timer1Timer() {
  if (!Open) return;
  int64_t f = Player.Position();
  CFrameEdit->setText(QString::number(f));
  if (LengthFrames > 0) {
    CmsEdit->setText(QString::fromStdString(TimeText(FramePositionMs(f, LengthMs, LengthFrames))));
    TrackBar1->setValue(SliderPosition(f, LengthFrames));
  }
  if (f == LengthFrames && Loop->isChecked() && Playing) Player.Play();
  Playing = Player.Mode() == platform::TPlayerMode::Playing;
  std::string status = Player.Status();
  if (!status.empty()) StatusPanels[1]->setText(QString::fromStdString(status));
}

void TVideoExtractForm::TrackBar1Change(int position) {
  if (!Open) return;
  if (auto target = SliderSeekTarget(position, Player.Position(), LengthFrames))
    Player.Seek(*target);
}

void TVideoExtractForm::VFE_SetZoom(float zoom) {
  ZoomFactor = std::clamp(zoom, kMinZoom, kMaxZoom);
  LayOut();
}

void TVideoExtractForm::VFE_HelpClick() {
  if (OpenHelp) OpenHelp(imaging::ProgramDirectory() + "video.html");
}

// ---- the frame grab ----

std::unique_ptr<editor::TBitmap> TVideoExtractForm::GrabVideoWindow() const {
  QImage shown = OleContainer1->grab(QRect(QPoint(0, 0), OleContainer1->DisplaySize)).toImage();
  return std::make_unique<editor::TBitmap>(platform::FromQImage(shown));
}

void TVideoExtractForm::VFE_GrabClick(TGrabAction action) {
  if (!Open || Timer2->isActive()) return;
  if (action == TGrabAction::SaveAndSendToThumbnailCreator && !Editor.SendToThumbnailCreator)
    return;
  CheckFreeSlot(*Editor.Docs);
  Action = action;
  if (action != TGrabAction::SaveJpeg) Sent = true;
  StatusPanels[0]->setText("Capturing");
  setEnabled(false);
  OleContainer1->setCursor(Qt::BlankCursor);
  Player.Stop();
  FirstGrab = GrabVideoWindow();
  bool cover = NeedsCoverPanel(CaptureCareful->isChecked(), FileName);
  if (cover) {
    Panel2->setGeometry(centralWidget()->rect());
    Panel2->raise();
    Panel2->show();
  }
  GrabSteps.Start(cover);
  Timer2->start();
}

void TVideoExtractForm::Timer2Timer() {
  switch (GrabSteps.Tick()) {
    case TGrabStep::HideCover:
      Panel2->hide();
      break;
    case TGrabStep::SecondGrab:
      FinishGrab();
      break;
    case TGrabStep::Wait:
      break;
  }
}

void TVideoExtractForm::FinishGrab() {
  Timer2->stop();
  setEnabled(true);
  Panel2->hide();
  auto second = GrabVideoWindow();
  StatusPanels[0]->setText("Done");
  auto first = std::move(FirstGrab);
  bool keepSecond = KeepSecondGrab(DetailScore(*first), DetailScore(*second));
  OleContainer1->unsetCursor();
  HandOver(Editor, keepSecond ? std::move(second) : std::move(first), Action,
           FrameFileName(FileName, Player.Position()));
}

}  // namespace lumarte::video
