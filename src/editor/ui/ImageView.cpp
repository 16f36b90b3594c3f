#include "editor/ui/ImageView.h"

#include <QPainter>
#include <QScrollBar>

#include "editor/model/ZoomView.h"

namespace lumarte::editor {

TImageView::TImageView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("ImageView");
  setFrameShape(QFrame::NoFrame);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setMouseTracking(true);  // the status bar follows the pointer
}

int TImageView::ScrollX() const {
  return horizontalScrollBar()->value();
}
int TImageView::ScrollY() const {
  return verticalScrollBar()->value();
}

void TImageView::mousePressEvent(QMouseEvent* event) {
  if (MousePressed) MousePressed(event);
}

void TImageView::mouseMoveEvent(QMouseEvent* event) {
  if (MouseMoved) MouseMoved(event);
}

void TImageView::mouseReleaseEvent(QMouseEvent* event) {
  if (MouseReleased) MouseReleased(event);
}

QSize TImageView::ZoomedSize() const {
  const TBitmap* raster = Source ? Source() : nullptr;
  if (!raster) return {0, 0};
  return {ZoomedLength(raster->Width(), ZoomFactor), ZoomedLength(raster->Height(), ZoomFactor)};
}

void TImageView::SetZoom(double zoom) {
  if (zoom == ZoomFactor) return;
  int sx = RescaledScrollPosition(horizontalScrollBar()->value(), ZoomFactor, zoom);
  int sy = RescaledScrollPosition(verticalScrollBar()->value(), ZoomFactor, zoom);
  ZoomFactor = zoom;
  UpdateScrollBars();
  horizontalScrollBar()->setValue(sx);
  verticalScrollBar()->setValue(sy);
}

void TImageView::Redraw() {
  UpdateScrollBars();
  viewport()->update();
}

void TImageView::UpdateScrollBars() {
  QSize zoomed = ZoomedSize();
  QSize area = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, zoomed.width() - area.width()));
  verticalScrollBar()->setRange(0, std::max(0, zoomed.height() - area.height()));
  horizontalScrollBar()->setPageStep(std::max(1, area.width()));
  verticalScrollBar()->setPageStep(std::max(1, area.height()));
  horizontalScrollBar()->setSingleStep(std::max(1, area.width() / 20));
  verticalScrollBar()->setSingleStep(std::max(1, area.height() / 20));
}

void TImageView::paintEvent(QPaintEvent*) {
  QSize area = viewport()->size();
  if (area.isEmpty()) return;
  if (Frame.size() != area) Frame = QImage(area, QImage::Format_RGB32);
  uint32_t background = palette().color(QPalette::Window).rgb();
  const TBitmap* raster = Source ? Source() : nullptr;
  if (raster) {
    RenderZoomed(*raster, ZoomFactor, horizontalScrollBar()->value(), verticalScrollBar()->value(),
                 area.width(), area.height(), reinterpret_cast<uint32_t*>(Frame.bits()),
                 static_cast<int>(Frame.bytesPerLine() / 4), background);
  } else {
    Frame.fill(background);
  }
  if (Decorate) Decorate(Frame);
  QPainter painter(viewport());
  painter.drawImage(0, 0, Frame);
}

void TImageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TImageView::scrollContentsBy(int, int) {
  viewport()->update();
}

}  // namespace lumarte::editor
