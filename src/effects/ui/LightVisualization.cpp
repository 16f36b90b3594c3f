#include "effects/ui/LightVisualization.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "base/Rounding.h"
#include "platform/RevedImage.h"

namespace lumarte::effects {

namespace {

// The longest side of the copy the picture is drawn from.
constexpr int kPictureSide = 1024;
// How near (in widget pixels) a press must come to a circle of reach.
constexpr double kRingTolerance = 5;

}  // namespace

TLightVisualization::TLightVisualization(std::vector<TLight>& lights,
                                         std::vector<TBarrier>& barriers, QWidget* parent)
    : QWidget(parent), Lights(lights), Barriers(barriers) {
  setObjectName("VisualizationImage");
  setMouseTracking(true);
  setMinimumSize(320, 240);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TLightVisualization::SetImage(const editor::TBitmap& image) {
  ImageWidth = image.Width();
  ImageHeight = image.Height();
  if (image.Empty()) {
    Picture = {};
    return;
  }
  QImage view =
      platform::BgrRowsView(image.ScanLine(0), ImageWidth, ImageHeight, image.BytesPerLine());
  Picture =
      std::max(ImageWidth, ImageHeight) > kPictureSide
          ? view.scaled(kPictureSide, kPictureSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)
          : view.copy();
}

void TLightVisualization::Reset() {
  Fitted = true;
  if (ImageWidth <= 0 || ImageHeight <= 0) {
    Factor = 1;
    Offset = {};
  } else {
    Factor = std::min(double(width()) / ImageWidth, double(height()) / ImageHeight);
    Offset = {(width() - ImageWidth * Factor) / 2, (height() - ImageHeight * Factor) / 2};
  }
  update();
}

void TLightVisualization::ZoomIn() {
  Zoom(2);
}

void TLightVisualization::ZoomOut() {
  Zoom(0.5);
}

void TLightVisualization::Zoom(double by) {
  Fitted = false;
  const QPointF centre(width() / 2.0, height() / 2.0);
  const QPointF at = ImagePoint(centre);
  Factor *= by;
  Offset = centre - at * Factor;
  update();
}

QPointF TLightVisualization::ToWidget(double x, double y) const {
  return Offset + QPointF(x, y) * Factor;
}

QPointF TLightVisualization::ImagePoint(QPointF p) const {
  return (p - Offset) / Factor;
}

QPoint TLightVisualization::ToImage(QPointF p) const {
  const QPointF at = ImagePoint(p);
  return {static_cast<int>(Round(at.x())), static_cast<int>(Round(at.y()))};
}

void TLightVisualization::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().dark());
  if (!Picture.isNull())
    painter.drawImage(QRectF(Offset, QSizeF(ImageWidth * Factor, ImageHeight * Factor)), Picture);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const TLight& l : Lights) {
    const bool dark = l.Style == kDarkness || l.Style == kDarknessAverage;
    painter.setPen(QPen(dark ? Qt::blue : Qt::yellow, 1));
    const QPointF c = ToWidget(l.X, l.Y);
    painter.drawLine(c - QPointF(4, 0), c + QPointF(4, 0));
    painter.drawLine(c - QPointF(0, 4), c + QPointF(0, 4));
    painter.setPen(QPen(dark ? Qt::blue : Qt::yellow, 1, Qt::DashLine));
    painter.drawEllipse(c, l.Width * Factor, l.Width * Factor);
  }
  painter.setPen(QPen(Qt::red, 2));
  for (const TBarrier& b : Barriers) {
    const QPointF a = ToWidget(b.X1, b.Y1), e = ToWidget(b.X2, b.Y2);
    painter.drawLine(a, e);
    painter.drawRect(QRectF(a - QPointF(2, 2), QSizeF(4, 4)));
    painter.drawRect(QRectF(e - QPointF(2, 2), QSizeF(4, 4)));
  }
}

void TLightVisualization::mousePressEvent(QMouseEvent* e) {
  const QPointF at = ImagePoint(e->position());
  Held = PickLightHandle(Lights, Barriers, at.x(), at.y(), kRingTolerance / Factor);
  if (Held.Kind != TLightHandle::None && Picked) Picked(Held);
}

void TLightVisualization::mouseMoveEvent(QMouseEvent* e) {
  if (MouseMoved) MouseMoved(ToImage(e->position()));
  if (Held.Kind == TLightHandle::None || !(e->buttons() & Qt::LeftButton)) return;
  const QPointF at = ImagePoint(e->position());
  DragLightHandle(Held, Lights, Barriers, at.x(), at.y());
  update();
  if (Dragged) Dragged();
}

void TLightVisualization::mouseReleaseEvent(QMouseEvent*) {
  Held = {};
}

void TLightVisualization::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (Fitted) Reset();
}

}  // namespace lumarte::effects
