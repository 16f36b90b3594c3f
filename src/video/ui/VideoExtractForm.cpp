// The player window's controls, menus and layout.
#include "video/ui/VideoExtractForm.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/ErrorHandler.h"
#include "video/ui/VideoWindow.h"

namespace lumarte::video {

const char* const kVideoOpenFilter =
    "MPEG,AVI|*.mpg;*.mpeg;*.avi|MPEG|*.mpg;*.mpeg|AVI|*.avi|"
    "All videos|*.mpg;*.mpeg;*.avi;*.mp4;*.m4v;*.mov;*.mkv;*.webm;*.ogv";

namespace {

void MakeBlack(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, Qt::black);
  p.setColor(QPalette::WindowText, Qt::white);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

QLineEdit* ReadOnlyField(const char* name, const char* hint, int chars) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setToolTip(hint);
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::NoFocus);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(chars, '0')) + 12);
  return edit;
}

}  // namespace

TVideoExtractForm::TVideoExtractForm(editor::TEditorPrompts& prompts, TEditorLink editor,
                                     QWidget* parent)
    : QMainWindow(parent, Qt::Window), Prompts(prompts), Editor(std::move(editor)) {
  setObjectName("VideoExtractForm");
  setWindowTitle("Lumarte - Video Player");
  auto* central = new QWidget;
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  Panel1 = new QWidget;
  Panel1->setObjectName("Panel1");
  MakeBlack(Panel1);
  PanelSize = QSize(352, 288);
  OleContainer1 = new TVideoWindow(Player, Panel1);
  OleContainer1->hide();
  column->addWidget(Panel1, 0, Qt::AlignHCenter);
  column->addWidget(BuildControls(), 0, Qt::AlignHCenter);
  setCentralWidget(central);
  Panel2 = new QLabel("Capturing Image", central);
  Panel2->setObjectName("Panel2");
  Panel2->setAlignment(Qt::AlignCenter);
  MakeBlack(Panel2);
  Panel2->hide();
  BuildMenus();
  BuildStatusBar();

  Timer1 = new QTimer(this);
  Timer1->setInterval(350);
  connect(Timer1, &QTimer::timeout, this, [this] { Guard([this] { Timer1Timer(); }); });
  Timer2 = new QTimer(this);
  Timer2->setInterval(1000);
  connect(Timer2, &QTimer::timeout, this, [this] { Guard([this] { Timer2Timer(); }); });
  // Frames arrive on the decoding thread; the window repaints on its own.
  Player.FrameShown = [w = OleContainer1] {
    QMetaObject::invokeMethod(w, [w] { w->update(); }, Qt::QueuedConnection);
  };
  LayOut();
}

TVideoExtractForm::~TVideoExtractForm() {
  Player.Close();
}

void TVideoExtractForm::Guard(const std::function<void()>& command) {
  ui::RunGuarded(command);
}

QWidget* TVideoExtractForm::BuildControls() {
  auto* group = new QWidget;
  group->setObjectName("ControlGroup");
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(6, 4, 6, 4);
  TrackBar1 = new QSlider(Qt::Horizontal);
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setRange(0, kSliderMax);
  TrackBar1->setPageStep(50);
  connect(TrackBar1, &QSlider::valueChanged, this,
          [this](int p) { Guard([=, this] { TrackBar1Change(p); }); });
  grid->addWidget(TrackBar1, 0, 0, 1, 3);

  auto* buttons = new QHBoxLayout;
  auto button = [&](const char* name, const char* caption, const char* hint,
                    std::function<void()> run) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumWidth(b->fontMetrics().horizontalAdvance(caption) + 16);
    connect(b, &QPushButton::clicked, this, [this, run] { Guard(run); });
    buttons->addWidget(b);
    return b;
  };
  button("SpeedButton2", "<<", "10 frames back", [this] { VFE_StepClick(-10); });
  button("SpeedButton1", "<", "One frame back", [this] { VFE_StepClick(-1); });
  button("SpeedButton3", ">", "One frame forward", [this] { VFE_StepClick(1); });
  button("SpeedButton4", ">>", "10 frames forward", [this] { VFE_StepClick(10); });
  buttons->addSpacing(8);
  button("PlayButton", "Play", "Play", [this] { VFE_PlayClick(); });
  button("PauseButton", "Pause", "Pause or resume", [this] { VFE_PauseClick(); });
  button("StopButton", "Stop", "Stop", [this] { VFE_StopClick(); });
  buttons->addSpacing(8);
  GrabButtons = {
      button("ToLumarteButton", "To Lumarte", "Capture and Send To Lumarte",
             [this] { VFE_GrabClick(TGrabAction::ToEditor); }),
      button("JPEGButton", "JPEG", "Capture and Save As JPEG",
             [this] { VFE_GrabClick(TGrabAction::SaveJpeg); }),
      button("ThumbButton", "Thumb", "Capture, Save As JPEG and Send To Thumbnail Creator",
             [this] { VFE_GrabClick(TGrabAction::SaveAndSendToThumbnailCreator); })};
  grid->addLayout(buttons, 1, 0, 1, 3);

  CFrameEdit = ReadOnlyField("CFrameEdit", "Position in Frames", 8);
  TFrameEdit = ReadOnlyField("TFrameEdit", "Total Number Of Frames", 8);
  CmsEdit = ReadOnlyField("CmsEdit", "Position in min:sec.ms", 9);
  TmsEdit = ReadOnlyField("TmsEdit", "Length in min:sec:ms", 9);
  auto* fields = new QHBoxLayout;
  fields->addWidget(new QLabel("Frame"));
  fields->addWidget(CFrameEdit);
  fields->addWidget(new QLabel("/"));
  fields->addWidget(TFrameEdit);
  fields->addSpacing(12);
  fields->addWidget(new QLabel("Time"));
  fields->addWidget(CmsEdit);
  fields->addWidget(new QLabel("/"));
  fields->addWidget(TmsEdit);
  fields->addStretch(1);
  grid->addLayout(fields, 2, 0, 1, 3);
  return group;
}

void TVideoExtractForm::BuildMenus() {
  auto item = [this](QMenu* menu, const char* name, const char* caption, const char* key,
                     std::function<void()> run) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (key) a->setShortcut(QKeySequence(key));
    connect(a, &QAction::triggered, this, [this, run] { Guard(run); });
    return a;
  };
  QMenu* file = menuBar()->addMenu("File");
  item(file, "VFE_OpenVideo", "Open Video", nullptr, [this] { VFE_OpenVideoClick(); });
  item(file, "VFE_CloseVideo", "Close Video", nullptr, [this] { VFE_CloseVideoClick(); });
  file->addSeparator();
  item(file, "VFE_ClosePlayer", "Close Video Player", nullptr, [this] { close(); });
  item(file, "VFE_CloseAndExit", "Close and Exit Lumarte", nullptr,
       [this] { VFE_CloseAndExitClick(); });
  QMenu* play = menuBar()->addMenu("Play");
  Loop = play->addAction("Loop");
  Loop->setObjectName("VFE_Loop");
  Loop->setCheckable(true);
  Loop->setChecked(true);
  QMenu* capture = menuBar()->addMenu("Capture");
  item(capture, "VFE_SendFrame", "Send Frame To &Lumarte", "E",
       [this] { VFE_GrabClick(TGrabAction::ToEditor); });
  item(capture, "VFE_SaveFrame", "Save Frame As &JPEG", "J",
       [this] { VFE_GrabClick(TGrabAction::SaveJpeg); });
  ThumbAction = item(capture, "VFE_SaveAndThumb",
                     "Save Frame As JPEG and Send To &Thumbnail Creator", "T",
                     [this] { VFE_GrabClick(TGrabAction::SaveAndSendToThumbnailCreator); });
  capture->addSeparator();
  CaptureCareful = capture->addAction(
      "Option: Capture Careful    (Check this, when capturing a frame of an  AVI fails)");
  CaptureCareful->setObjectName("VFE_CaptureCareful");
  CaptureCareful->setCheckable(true);
  // Without a thumbnail creator in the editor the third action has no target.
  bool thumbs = static_cast<bool>(Editor.SendToThumbnailCreator);
  ThumbAction->setEnabled(thumbs);
  GrabButtons[2]->setEnabled(thumbs);

  QMenu* zoom = menuBar()->addMenu("Zoom");
  item(zoom, "VFE_ZoomIn", "Increase (&+)", "+", [this] { VFE_SetZoom(ZoomIn(ZoomFactor)); });
  item(zoom, "VFE_ZoomOut", "Decrease (&-)", "-", [this] { VFE_SetZoom(ZoomOut(ZoomFactor)); });
  zoom->addSeparator();
  item(zoom, "VFE_Zoom12", "1:2", nullptr, [this] { VFE_SetZoom(0.5f); });
  item(zoom, "VFE_Zoom11", "1:1", nullptr, [this] { VFE_SetZoom(1.0f); });
  item(zoom, "VFE_Zoom21", "2:1", nullptr, [this] { VFE_SetZoom(2.0f); });
  item(zoom, "VFE_Zoom31", "3:1", nullptr, [this] { VFE_SetZoom(3.0f); });
  QMenu* help = menuBar()->addMenu("Help");
  item(help, "VFE_Help", "Help       (local html)", nullptr, [this] { VFE_HelpClick(); });
}

void TVideoExtractForm::BuildStatusBar() {
  const int widths[2] = {80, 50};
  for (int i = 0; i < 2; ++i) {
    StatusPanels[i] = new QLabel;
    StatusPanels[i]->setObjectName(QString("StatusPanel%1").arg(i));
    StatusPanels[i]->setMinimumWidth(widths[i]);
    statusBar()->addWidget(StatusPanels[i], i);
  }
}

void TVideoExtractForm::LayOut() {
  QSize video(10, 10);
  if (Open) {
    TDisplayRect r = ZoomedRect(Natural, ZoomFactor);
    OleContainer1->DisplaySize = QSize(r.Width(), r.Height());
    video = QSize(r.Width() + 1, r.Height() + 1);
  }
  OleContainer1->setFixedSize(video);
  OleContainer1->setVisible(Open);
  QSize panel = video.expandedTo(PanelSize);
  Panel1->setFixedSize(panel);
  OleContainer1->move((panel.width() - video.width()) / 2, (panel.height() - video.height()) / 2);
  OleContainer1->update();
  centralWidget()->layout()->activate();
  layout()->activate();
  resize(sizeHint());
}

}  // namespace lumarte::video
