#pragma once
// TZoomForm1: a track bar, the factor it shows, and Apply / Cancel / Close.
#include <functional>

#include <QDialog>

#include "editor/model/ZoomWindow.h"

class QLineEdit;
class QPushButton;
class QSlider;

namespace lumarte::editor {

class TZoomForm1 : public QDialog {
 public:
  explicit TZoomForm1(QWidget* parent = nullptr);

  TZoomWindowModel Model;
  // Makes a factor current: the window sets it and redraws the image.
  std::function<void(double)> SetZoom;
  // Cancel: the image control goes back to the size of the current factor.
  std::function<void(double)> ResizeImageControl;

  // Shows the window on the given current factor.
  void ShowOn(double current);

  QSlider* TrackBar1;
  QLineEdit* Edit1;
  QPushButton *ApplyButton, *CancelButton, *CloseButton;

 private:
  void Mirror();
};

}  // namespace lumarte::editor
