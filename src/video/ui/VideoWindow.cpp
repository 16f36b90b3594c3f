#include "video/ui/VideoWindow.h"

#include <QImage>
#include <QPainter>

namespace lumarte::video {

TVideoWindow::TVideoWindow(platform::TVideoPlayer& player, QWidget* parent)
    : QWidget(parent), Player(player) {
  setObjectName("OleContainer1");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TVideoWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  auto frame = Player.CurrentFrame();
  if (!frame || frame->Empty()) return;
  // The raster's rows are blue, green, red: drawn in place, no copy.
  QImage image(frame->ScanLine(0), frame->Width(), frame->Height(), frame->BytesPerLine(),
               QImage::Format_BGR888);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(QPoint(0, 0), DisplaySize), image);
}

}  // namespace lumarte::video
