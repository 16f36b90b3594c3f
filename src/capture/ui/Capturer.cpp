#include "capture/ui/Capturer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "capture/model/CaptureDocument.h"
#include "capture/ui/CaptureDo.h"
#include "ui/ErrorHandler.h"

namespace lumarte::capture {

namespace {

const effects::EffectRow& CapturerRow() {
  static const effects::EffectRow row{
      .Caption = "Screen Capturer",
      .FormName = "TCapturer",
      .FormCaption = "Lumarte Screen Capturer",
      .Policy = effects::RecomputePolicy::Always,
      .HelpPage = "Capturer.html",
      .Name = "screen-capturer",
  };
  return row;
}

template <class T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

TCapturer::TCapturer(editor::DocumentList& documents, TCapturerEditor editor,
                     std::unique_ptr<TScreenGrabber> grabber,
                     std::unique_ptr<TGlobalHotKey> hotKey, QWidget* parent)
    : TBaseEffectForm(CapturerRow(), documents, parent),
      Editor(std::move(editor)),
      Docs(documents),
      Grabber(std::move(grabber)),
      HotKey(std::move(hotKey)) {
  CaptureDo = std::make_unique<TCaptureDo>(*Grabber, *HotKey);
  // While a capture runs, every other window is hidden: these never end the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  CaptureDo->setAttribute(Qt::WA_QuitOnClose, false);
  BuildControls();
  OKButton->setText("Capture");
  OKButton->setDefault(true);
  // The picture comes from the screen: there is nothing to preview or hide.
  PreviewButton->hide();
  HideButton->hide();
  OKButton->disconnect();
  CancelButton->disconnect();
  connect(OKButton, &QPushButton::clicked, this, [this] { CaptureClick(); });
  connect(CancelButton, &QPushButton::clicked, this, [this] {
    CancelButtonClick();
    if (Editor.ShowEditor) Editor.ShowEditor();
  });
}

TCapturer::~TCapturer() {
  // The capture window uses the hot key: it goes first.
  CaptureDo->GiveUp();
  CaptureDo.reset();
}

void TCapturer::BuildControls() {
  auto* when = new QGridLayout;
  CapturerDelayRadioButton = Named(new QRadioButton("Delay, Capture after ", this),
                                   "CapturerDelayRadioButton");
  SpinEdit1 = Named(new QSpinBox(this), "SpinEdit1");
  SpinEdit1->setRange(TCaptureSettings::kMinDelay, TCaptureSettings::kMaxDelay);
  SpinEdit1->setValue(1);
  CapturerHotKeyRadioButton = Named(new QRadioButton("HotKey", this), "CapturerHotKeyRadioButton");
  Edit1 = Named(new QLineEdit(QString(TCaptureSettings::kDefaultHotKey), this), "Edit1");
  Edit1->setMaxLength(1);
  Edit1->setMaximumWidth(40);
  connect(Edit1, &QLineEdit::editingFinished, this, [this] {
    if (Edit1->text().isEmpty()) Edit1->setText(QString(TCaptureSettings::kDefaultHotKey));
  });
  when->addWidget(CapturerDelayRadioButton, 0, 0);
  when->addWidget(SpinEdit1, 0, 1);
  when->addWidget(new QLabel("seconds", this), 0, 2);
  when->addWidget(CapturerHotKeyRadioButton, 1, 0);
  when->addWidget(new QLabel("Crtl-Alt-", this), 1, 1, Qt::AlignRight);
  when->addWidget(Edit1, 1, 2);
  auto* whenGroup = new QButtonGroup(this);
  whenGroup->addButton(CapturerDelayRadioButton);
  whenGroup->addButton(CapturerHotKeyRadioButton);
  CapturerDelayRadioButton->setChecked(true);
  Controls->addLayout(when);

  CapturerShowPhotoCheckbox = Named(new QCheckBox("Show Photo", this), "CapturerShowPhotoCheckbox");
  CapturerAsNewCheckbox = Named(new QCheckBox("As New Image", this), "CapturerAsNewCheckbox");
  CapturerAsNewCheckbox->setChecked(true);
  auto* checks = new QHBoxLayout;
  checks->addWidget(CapturerShowPhotoCheckbox);
  checks->addWidget(CapturerAsNewCheckbox);
  Controls->addLayout(checks);

  auto* what = new QGroupBox(this);
  auto* whatLayout = new QVBoxLayout(what);
  CapturerActiveWindowRadioButton = Named(new QRadioButton("Capture Active Window", what),
                                          "CapturerActiveWindowRadioButton");
  CapturerRectangleRadioButton =
      Named(new QRadioButton("Capture Rectangle", what), "CapturerRectangleRadioButton");
  CapturerDesktopRadioButton =
      Named(new QRadioButton("Capture Desktop", what), "CapturerDesktopRadioButton");
  for (auto* b : {CapturerActiveWindowRadioButton, CapturerRectangleRadioButton,
                  CapturerDesktopRadioButton})
    whatLayout->addWidget(b);
  CapturerRectangleRadioButton->setChecked(true);
  Controls->addWidget(what);
}

TCaptureSettings TCapturer::Settings() const {
  TCaptureSettings s;
  s.Trigger = CapturerHotKeyRadioButton->isChecked() ? TCaptureTrigger::HotKey
                                                     : TCaptureTrigger::Delay;
  s.DelaySeconds = SpinEdit1->value();
  s.HotKey = HotKeyCharacter(Edit1->text().toLatin1().toStdString());
  s.ShowPhoto = CapturerShowPhotoCheckbox->isChecked();
  s.AsNew = CapturerAsNewCheckbox->isChecked();
  s.Source = CapturerActiveWindowRadioButton->isChecked() ? TCaptureSource::ActiveWindow
             : CapturerDesktopRadioButton->isChecked()    ? TCaptureSource::Desktop
                                                          : TCaptureSource::Rectangle;
  return s;
}

editor::TBitmap TCapturer::ComputeEffect(const effects::EffectInput&) {
  hide();
  try {
    return CaptureDo->Capture(Settings());
  } catch (...) {
    CaptureFailed = true;
    throw;
  }
}

void TCapturer::CaptureNow() {
  setModal(true);
  show();
  raise();
  CaptureClick();
}

void TCapturer::CaptureClick() {
  if (Session.Busy || Capturing) return;  // a capture is under way
  struct Running {
    bool& Flag;
    explicit Running(bool& f) : Flag(f) { Flag = true; }
    ~Running() { Flag = false; }
  } running{Capturing};
  bool failed = true;
  CaptureFailed = false;
  ui::RunGuarded([&] {
    // Refusals come before anything disappears from the screen.
    Grabber->CheckAvailable();
    const bool asNew = CapturesIntoNewDocument(Docs, Settings().AsNew);
    if (asNew) Docs.CheckRoom();
    if (Editor.HideEditor) Editor.HideEditor();
    if (asNew) {
      hide();
      editor::TBitmap picture = CaptureDo->Capture(Settings());
      if (!picture.Empty()) AddCapturedDocument(Docs, std::move(picture));
    } else {
      // The framework's OK: computes (captures), then applies with an undo step.
      OKButtonClick();
    }
    failed = CaptureFailed;
  });
  AfterCapture(failed);
}

void TCapturer::AfterCapture(bool failed) {
  // The editor first: closing the dialog while no window shows could end the program.
  if (Editor.ShowEditor) Editor.ShowEditor();
  if (failed || Editor.RepeatAfterCapture) {
    // After a refusal the user may change the set-up and try again.
    setModal(true);
    show();
    raise();
  } else {
    accept();
  }
}

void TCapturer::closeEvent(QCloseEvent* e) {
  CaptureDo->GiveUp();
  TBaseEffectForm::closeEvent(e);
}

}  // namespace lumarte::capture
