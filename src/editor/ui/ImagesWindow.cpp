#include "editor/ui/ImagesWindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "platform/RasterImage.h"

namespace lumarte::editor {

namespace {
// Thumbnails keep a small stretched copy; painting scales it to the box.
constexpr int kStoredWidth = 160;
constexpr int kStoredHeight = 120;
constexpr int kMargin = 4;
}  // namespace

TThumbnail::TThumbnail(QWidget* parent) : QWidget(parent) {}

void TThumbnail::SetPicture(const TBitmap& raster, const std::string& hint) {
  Image = platform::StretchedImage(raster, kStoredWidth, kStoredHeight);
  setToolTip(QString::fromStdString(hint));
  update();
}

void TThumbnail::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (Image.isNull())
    painter.fillRect(rect(), palette().color(QPalette::Dark));
  else
    painter.drawImage(rect(), Image);
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TThumbnail::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnDoubleClick) OnDoubleClick();
}

Timagesform1::Timagesform1(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("imagesform1");
  setWindowTitle("Lumarte - Images Window - You can choose the active image by doubleclicking it.");
  UpperLabel = new QLabel("Open\nImages", this);
  UpperLabel->setObjectName("Label1");
  LowerLabel = new QLabel("Undo\nList", this);
  LowerLabel->setObjectName("Label2");
  RedoLabel = new QLabel("Redo", this);
  RedoLabel->setObjectName("Label3");
  for (int k = 1; k <= 10; ++k) {
    Documents[k - 1] = new TThumbnail(this);
    Documents[k - 1]->setObjectName(QString("Image%1").arg(k));
    Documents[k - 1]->OnDoubleClick = [this, k] {
      if (OnDocumentPicked) OnDocumentPicked(k);
    };
    History[k - 1] = new TThumbnail(this);
    History[k - 1]->setObjectName(QString("UndoImage%1").arg(k));
    History[k - 1]->OnDoubleClick = [this, k] {
      if (OnHistoryPicked) OnHistoryPicked(k);
    };
  }
  resize(880, 190);
}

void Timagesform1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceThumbnails();
}

void Timagesform1::PlaceThumbnails() {
  int cell = width() / 11;
  int thumbWidth = std::max(1, cell - 3);
  int rowHeight = std::max(1, (height() - 3 * kMargin) / 2);
  int upperTop = kMargin, lowerTop = 2 * kMargin + rowHeight;
  for (int k = 1; k <= 10; ++k) {
    int x = cell * k + 3;
    Documents[k - 1]->setGeometry(x, upperTop, thumbWidth, rowHeight);
    History[k - 1]->setGeometry(x, lowerTop, thumbWidth, rowHeight);
  }
  UpperLabel->setGeometry(kMargin, upperTop, cell - kMargin, rowHeight);
  int third = rowHeight / 3;
  LowerLabel->setGeometry(kMargin, lowerTop, cell - kMargin, 2 * third);
  RedoLabel->setGeometry(kMargin, lowerTop + 2 * third, cell - kMargin, rowHeight - 2 * third);
  RedoLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace lumarte::editor
