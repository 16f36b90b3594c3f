#pragma once
// "Lumarte - Video Player": plays a video and grabs the shown frame as a new
// image of the editor, saved as JPEG or passed on to the thumbnail creator.
#include <functional>
#include <memory>
#include <string>

#include <QMainWindow>

#include "editor/model/EditorPrompts.h"
#include "platform/ffmpeg/VideoPlayer.h"
#include "video/model/FrameGrab.h"
#include "video/model/FrameHandover.h"
#include "video/model/PlayerArithmetic.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;

namespace lumarte::video {

class TVideoWindow;

extern const char* const kVideoOpenFilter;

class TVideoExtractForm : public QMainWindow {
  Q_OBJECT
 public:
  TVideoExtractForm(editor::TEditorPrompts& prompts, TEditorLink editor, QWidget* parent);
  ~TVideoExtractForm() override;

  // Opens a help page with the desktop's viewer.
  std::function<void(const std::string&)> OpenHelp;
  // Ends the program (the editor's Exit).
  std::function<void()> EndProgram;
  // The program was started with "-VIDEO": closing without a sent frame ends it.
  bool StartedAlone = false;

  platform::TVideoPlayer Player;
  QTimer* Timer1;  // position, 350 ms
  QTimer* Timer2;  // grab steps, 1000 ms
  QWidget* Panel1;
  QLabel* Panel2;
  TVideoWindow* OleContainer1;
  QSlider* TrackBar1;
  QLineEdit *TmsEdit, *TFrameEdit, *CFrameEdit, *CmsEdit;
  QLabel* StatusPanels[2];
  QAction* Loop;
  QAction* CaptureCareful;

  bool VideoOpen() const { return Open; }
  float Zoom() const { return ZoomFactor; }
  bool FrameSent() const { return Sent; }

  void OpenVideo(const std::string& fileName);
  void VFE_OpenVideoClick();
  void VFE_CloseVideoClick();
  void VFE_CloseAndExitClick();
  void VFE_PlayClick();
  void VFE_PauseClick();
  void VFE_StopClick();
  // "<" -1, ">" +1, "<<" -10, ">>" +10.
  void VFE_StepClick(int delta);
  void VFE_SetZoom(float zoom);
  void VFE_GrabClick(TGrabAction action);
  void VFE_HelpClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildControls();
  void BuildStatusBar();
  void Guard(const std::function<void()>& command);
  void LayOut();
  void Timer1Timer();
  void Timer2Timer();
  void TrackBar1Change(int position);
  void FinishGrab();
  std::unique_ptr<editor::TBitmap> GrabVideoWindow() const;

  editor::TEditorPrompts& Prompts;
  TEditorLink Editor;
  std::string FileName;
  bool Open = false;
  TDisplayRect Natural;
  float ZoomFactor = 1.0f;
  int64_t LengthMs = 0, LengthFrames = 0;
  bool Playing = false;
  TGrabAction Action = TGrabAction::ToEditor;
  bool Sent = false;
  std::unique_ptr<editor::TBitmap> FirstGrab;
  TGrabTimerSteps GrabSteps;
  QSize PanelSize;
  std::vector<QPushButton*> GrabButtons;
  QAction* ThumbAction = nullptr;
};

}  // namespace lumarte::video
