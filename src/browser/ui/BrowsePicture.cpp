#include "browser/ui/BrowsePicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace lumarte::browser {

TBrowsePicture::TBrowsePicture(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(60, 60);
}

void TBrowsePicture::SetImage(const QImage& image) {
  Shown = image;
  update();
}

void TBrowsePicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.drawImage(0, 0, Shown);
}

void TBrowsePicture::mouseMoveEvent(QMouseEvent* event) {
  if (MouseMoved) MouseMoved(event->position().toPoint().x(), event->position().toPoint().y());
}

void TBrowsePicture::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && DoubleClicked)
    DoubleClicked(event->position().toPoint().x(), event->position().toPoint().y());
}

void TBrowsePicture::wheelEvent(QWheelEvent* event) {
  WheelRest += event->angleDelta().y();
  int steps = WheelRest / 120;
  WheelRest -= steps * 120;
  if (steps && Wheeled) Wheeled(-steps);
  event->accept();
}

void TBrowsePicture::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Resized) Resized();
}

}  // namespace lumarte::browser
