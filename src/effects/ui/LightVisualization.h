#pragma once
// The picture of the light and darkness dialog: the image scaled, with the
// sources (a cross and the circle of reach) and the barriers drawn over it.
// The mouse picks and drags the nearest handle.
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "editor/model/Bitmap.h"
#include "effects/model/Lighting.h"

namespace lumarte::effects {

class TLightVisualization : public QWidget {
 public:
  TLightVisualization(std::vector<TLight>& lights, std::vector<TBarrier>& barriers,
                      QWidget* parent);

  void SetImage(const editor::TBitmap& image);
  // "+" doubles the scale, "-" halves it, "Reset" fits the whole image.
  void ZoomIn();
  void ZoomOut();
  void Reset();
  double Scale() const { return Factor; }
  // Where an image point appears in the widget, and the image point under a
  // widget position (rounded).
  QPointF ToWidget(double x, double y) const;
  QPoint ToImage(QPointF p) const;

  // The image position under the mouse.
  std::function<void(QPoint)> MouseMoved;
  // A handle was taken; a drag changed the lists.
  std::function<void(TLightHandle)> Picked;
  std::function<void()> Dragged;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  // Keeps the image point at the widget's centre where it is.
  void Zoom(double by);
  QPointF ImagePoint(QPointF p) const;

  std::vector<TLight>& Lights;
  std::vector<TBarrier>& Barriers;
  QImage Picture;  // the image, shrunk for drawing
  int ImageWidth = 0, ImageHeight = 0;
  double Factor = 1;  // widget pixels per image pixel
  QPointF Offset;     // where the image's origin appears
  TLightHandle Held;
  bool Fitted = false;
};

}  // namespace lumarte::effects
