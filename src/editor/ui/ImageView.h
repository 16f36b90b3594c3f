#pragma once
// The document view: the current raster with nearest-neighbour zoom in a
// scrolled area.
#include <functional>

#include <QAbstractScrollArea>
#include <QImage>

#include "editor/model/Bitmap.h"

namespace lumarte::editor {

class TImageView : public QAbstractScrollArea {
 public:
  explicit TImageView(QWidget* parent = nullptr);

  // Where the shown raster comes from; asked at every paint, so the view
  // never holds on to a raster that the documents have replaced.
  std::function<const TBitmap*()> Source;
  // Scroll positions keep the same image point when the zoom changes.
  void SetZoom(double zoom);
  double Zoom() const { return ZoomFactor; }
  // Recomputes the scroll ranges and repaints.
  void Redraw();
  // round(W·z) x round(H·z) of the shown raster.
  QSize ZoomedSize() const;
  int ScrollX() const;
  int ScrollY() const;

  // The mouse on the image, in viewport coordinates.
  std::function<void(QMouseEvent*)> MousePressed, MouseMoved, MouseReleased;
  // Draws over each frame before it is shown (the selection outline).
  std::function<void(QImage&)> Decorate;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void UpdateScrollBars();
  double ZoomFactor = 1.0;
  QImage Frame;  // reused between paints
};

}  // namespace lumarte::editor
