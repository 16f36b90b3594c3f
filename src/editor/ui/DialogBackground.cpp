#include "editor/ui/DialogBackground.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace lumarte::editor {

namespace {

QImage& Picture() {
  static QImage picture;
  return picture;
}

// Paints before the dialog's own paint event; the controls draw on top.
class BackgroundPainter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !Picture().isNull()) {
      auto* widget = static_cast<QWidget*>(watched);
      QPainter painter(widget);
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawImage(widget->rect(), Picture());
    }
    return false;
  }
};

}  // namespace

void SetDialogBackgroundPicture(const QImage& picture) { Picture() = picture; }

const QImage& DialogBackgroundPicture() { return Picture(); }

void InstallDialogBackground(QWidget* dialog) {
  dialog->installEventFilter(new BackgroundPainter(dialog));
}

}  // namespace lumarte::editor
