#pragma once
// "Lumarte Screen Capturer": the set-up dialog of the screen capture on the
// effect framework. Its "Capture" button is the framework's OK: the captured
// picture replaces the current image with an undo step, or opens as a new one.
#include <functional>
#include <memory>

#include "capture/model/CapturePlatform.h"
#include "capture/model/CaptureSettings.h"
#include "effects/ui/BaseEffectForm.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace lumarte::capture {

class TCaptureDo;

// What the capturer needs of the editor's windows.
struct TCapturerEditor {
  std::function<void()> HideEditor;  // the main window and its Images window
  std::function<void()> ShowEditor;  // again, when hidden, and refreshed
  // Started with "-CAPTURE": the dialog comes back after every capture.
  bool RepeatAfterCapture = false;
};

class TCapturer : public effects::TBaseEffectForm {
 public:
  TCapturer(editor::DocumentList& documents, TCapturerEditor editor,
            std::unique_ptr<TScreenGrabber> grabber, std::unique_ptr<TGlobalHotKey> hotKey,
            QWidget* parent);
  ~TCapturer() override;

  QRadioButton *CapturerDelayRadioButton, *CapturerHotKeyRadioButton;
  QSpinBox* SpinEdit1;
  QLineEdit* Edit1;
  QCheckBox *CapturerShowPhotoCheckbox, *CapturerAsNewCheckbox;
  QRadioButton *CapturerActiveWindowRadioButton, *CapturerRectangleRadioButton,
      *CapturerDesktopRadioButton;
  std::unique_ptr<TCaptureDo> CaptureDo;

  TCaptureSettings Settings() const;
  // "Capture": takes the picture and applies it.
  void CaptureClick();
  // "Screen Capture Now": the dialog appears and captures at once.
  void CaptureNow();

 protected:
  editor::TBitmap ComputeEffect(const effects::EffectInput& in) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void BuildControls();
  void Capture();
  void AfterCapture(bool failed);
  bool CaptureFailed = false;
  bool Capturing = false;
  TCapturerEditor Editor;
  editor::DocumentList& Docs;
  std::unique_ptr<TScreenGrabber> Grabber;
  std::unique_ptr<TGlobalHotKey> HotKey;
};

}  // namespace lumarte::capture
