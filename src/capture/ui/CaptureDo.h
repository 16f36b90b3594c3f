#pragma once
// The borderless window that takes the picture: it flashes "Photo!", copies
// the screen when the step machine says so, and shows the frozen copy for
// the user to drag a rectangle on.
#include <QDialog>
#include <exception>
#include <optional>

#include "capture/model/CapturePlatform.h"
#include "capture/model/CaptureSteps.h"
#include "capture/model/RubberBand.h"

class QEventLoop;
class QFrame;
class QLabel;
class QTimer;

namespace lumarte::capture {

class TCaptureDo : public QDialog {
 public:
  TCaptureDo(TScreenGrabber& grabber, TGlobalHotKey& hotKey);
  ~TCaptureDo() override;

  QLabel* Label1;  // "Photo!"
  QLabel* Image1;  // the frozen screen copy
  QFrame* Bevel1;  // the rubber band
  QTimer* Timer1;

  // Waits for the delay or the hot key, copies the screen and, for a
  // rectangle, lets the user frame a part. Raises the platform's errors;
  // empty when the wait was given up.
  editor::TBitmap Capture(const TCaptureSettings& settings);
  // Ends a pending wait without a picture (the dialog closes).
  void GiveUp();
  // The step machine of the capture under way, for those who watch it.
  const TCaptureSteps* Steps() const { return Machine ? &*Machine : nullptr; }

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void WaitForSteps(const TCaptureSettings& settings);
  void Timer1Timer();
  void RunAction(TCaptureAction action);
  void SelectRectangle();
  void ShowBand();
  QPoint PicturePoint(const QPointF& windowPoint) const;
  void CoverScreen();

  TScreenGrabber& Grabber;
  TGlobalHotKey& HotKey;
  TCaptureSource Source = TCaptureSource::Desktop;
  std::optional<TCaptureSteps> Machine;
  std::optional<TRubberBand> Band;
  QEventLoop* Loop = nullptr;
  std::exception_ptr Failure;
  editor::TBitmap Captured;
};

}  // namespace lumarte::capture
