#include "ui/PicturePane.h"

#include <QLabel>
#include <QPixmap>

#include "editor/model/ZoomView.h"

namespace lumarte::ui {

TPicturePane::TPicturePane(QWidget* parent) : QScrollArea(parent), Label(new QLabel) {
  Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setWidget(Label);
  setWidgetResizable(false);
  setMinimumSize(160, 120);
}

void TPicturePane::SetPicture(const QImage& picture) {
  Image = picture;
  ShowPicture();
}

void TPicturePane::SetPicture(const QImage& picture, bool fitted) {
  Image = picture;
  Fit = fitted;
  ShowPicture();
}

void TPicturePane::SetFitted(bool fitted) {
  Fit = fitted;
  ShowPicture();
}

void TPicturePane::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  if (Fit) ShowPicture();
}

void TPicturePane::ShowPicture() {
  if (Image.isNull()) {
    Label->clear();
    Label->resize(1, 1);
    return;
  }
  QImage shown = Image;
  if (Fit) {
    QSize box = viewport()->size();
    auto size = editor::FitIntoBox(Image.width(), Image.height(), box.width(), box.height());
    if (size.Width > 0 && size.Height > 0 && size.Width != Image.width())
      shown =
          Image.scaled(size.Width, size.Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  Label->setPixmap(QPixmap::fromImage(shown));
  Label->resize(shown.size());
}

}  // namespace lumarte::ui
