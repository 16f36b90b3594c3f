// The File menu's screen capturer: "Screen Capturer" opens the set-up
// dialog, "Screen Capture Now" captures at once with its last set-up.
#include <QAction>

#include "capture/ui/Capturer.h"
#include "editor/ui/ImagesWindow.h"
#include "editor/ui/MainWindow.h"
#include "platform/ScreenCapture.h"
#include "ui/ApplyLanguage.h"

namespace lumarte::editor {

void TForm1::ConnectCaptureCommands() {
  for (auto [name, handler] : {std::pair{"LMScreenCapturer1", &TForm1::LMScreenCapturer1Click},
                               std::pair{"LMScreenCaptureNow1", &TForm1::LMScreenCaptureNow1Click}}) {
    QAction* action = Item(name);
    if (!action) continue;
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [this, h = handler] { Guard(Do(h)); });
  }
}

capture::TCapturer& TForm1::CapturerForm() {
  if (!Capturer) {
    capture::TCapturerEditor editor;
    editor.HideEditor = [this] {
      ImagesWindowBeforeCapture = ImagesForm->isVisible();
      ImagesForm->hide();
      hide();
    };
    editor.ShowEditor = [this] {
      if (!isVisible()) show();
      if (ImagesWindowBeforeCapture) ImagesForm->show();
      ImagesWindowBeforeCapture = false;
      Docs.RefreshAll();
    };
    editor.RepeatAfterCapture = StartTool == TStartTool::Capture;
    Capturer = new capture::TCapturer(Docs, std::move(editor), platform::CreateScreenGrabber(),
                                      platform::CreateGlobalHotKey(), this);
    ui::ApplyLanguageToForm(Capturer);  // made after the language file was read
  }
  return *Capturer;
}

void TForm1::LMScreenCapturer1Click() {
  capture::TCapturer& form = CapturerForm();
  form.setModal(true);
  form.show();
  form.raise();
}

void TForm1::LMScreenCaptureNow1Click() {
  CapturerForm().CaptureNow();
}

}  // namespace lumarte::editor
