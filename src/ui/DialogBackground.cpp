#include "ui/DialogBackground.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPainter>
#include <QProgressDialog>

namespace lumarte::ui {

namespace {

constexpr const char* kInstalledProperty = "lumarteDialogBackground";

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

bool IsSystemDialog(QObject* object) {
  return qobject_cast<QMessageBox*>(object) || qobject_cast<QFileDialog*>(object) ||
         qobject_cast<QColorDialog*>(object) || qobject_cast<QFontDialog*>(object) ||
         qobject_cast<QProgressDialog*>(object);
}

// Watches the application for dialogs about to be shown.
class DialogWatcher : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* dialog = qobject_cast<QDialog*>(watched);
      if (dialog && !IsSystemDialog(dialog)) InstallDialogBackground(dialog);
    }
    return false;
  }
};

}  // namespace

void SetDialogBackgroundPicture(const QImage& picture) {
  Picture() = picture;
}

const QImage& DialogBackgroundPicture() {
  return Picture();
}

void InstallDialogBackground(QWidget* dialog) {
  if (dialog->property(kInstalledProperty).toBool()) return;
  dialog->setProperty(kInstalledProperty, true);
  dialog->installEventFilter(new BackgroundPainter(dialog));
}

void InstallDialogBackgrounds() {
  static bool installed = false;
  if (installed || !qApp) return;
  installed = true;
  qApp->installEventFilter(new DialogWatcher(qApp));
}

}  // namespace lumarte::ui
