// Mouse events on the image view and the window's keyboard table.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

#include "editor/ui/ColorPanel.h"
#include "editor/ui/ImageView.h"
#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

namespace {

TMouseButton ButtonOf(const QMouseEvent* e) {
  switch (e->button()) {
    case Qt::LeftButton:
      return TMouseButton::Left;
    case Qt::RightButton:
      return TMouseButton::Right;
    default:
      return TMouseButton::Middle;
  }
}

// Text fields keep their own keys.
bool TypesText(QObject* o) {
  return qobject_cast<QLineEdit*>(o) || qobject_cast<QAbstractSpinBox*>(o);
}

}  // namespace

void TForm1::ViewMousePressed(QMouseEvent* e) {
  const int x = ScreenToImage(int(e->position().x()), View->ScrollX(), Docs.ZoomFactor);
  const int y = ScreenToImage(int(e->position().y()), View->ScrollY(), Docs.ZoomFactor);
  ShowPointer(x, y);  // the popup's commands read the pressed pixel back
  Guard([&] { Mouse.Press(ButtonOf(e), x, y); });
}

void TForm1::ViewMouseMoved(QMouseEvent* e) {
  const int x = ScreenToImage(int(e->position().x()), View->ScrollX(), Docs.ZoomFactor);
  const int y = ScreenToImage(int(e->position().y()), View->ScrollY(), Docs.ZoomFactor);
  ShowPointer(x, y);
  Guard([&] { Mouse.Move(x, y, e->buttons() & Qt::LeftButton); });
}

void TForm1::ViewMouseReleased(QMouseEvent* e) {
  const int x = ScreenToImage(int(e->position().x()), View->ScrollX(), Docs.ZoomFactor);
  const int y = ScreenToImage(int(e->position().y()), View->ScrollY(), Docs.ZoomFactor);
  Guard([&] { Mouse.Release(ButtonOf(e), x, y); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::KeyPress;
  if (!press && event->type() != QEvent::KeyRelease)
    return QMainWindow::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this || TypesText(watched)) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  return press ? FormKeyDown(key) : FormKeyUp(key);
}

void TForm1::ScrollBy(int dx, int dy) {
  View->horizontalScrollBar()->setValue(View->horizontalScrollBar()->value() + dx);
  View->verticalScrollBar()->setValue(View->verticalScrollBar()->value() + dy);
}

bool TForm1::FormKeyDown(QKeyEvent* e) {
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  auto arrow = [&](int dx, int dy) {
    const int step = ArrowStep.Press(Now(), RandomBelow(4) == 0);
    ScrollBy(dx * step, dy * step);
  };
  auto trigger = [&](const char* name) {
    if (QAction* a = Item(name); a && a->isEnabled()) a->trigger();
  };
  QScrollBar* h = View->horizontalScrollBar();
  QScrollBar* v = View->verticalScrollBar();
  if (ctrl) {
    if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9) {
      ApplyColourKey(Colours, e->key() - Qt::Key_0);
      ColoursChanged();
      return true;
    }
    switch (e->key()) {
      case Qt::Key_I:
        trigger("LMImageInformation1");
        return true;
      case Qt::Key_O:
        trigger("LMOpen1");
        return true;
      case Qt::Key_S:
        trigger("LMSave1");
        return true;
      case Qt::Key_X:
        trigger("LMExit1");
        return true;
      default:
        return false;
    }
  }
  switch (e->key()) {
    case Qt::Key_Left:
      arrow(-1, 0);
      return true;
    case Qt::Key_Right:
      arrow(1, 0);
      return true;
    case Qt::Key_Up:
      arrow(0, -1);
      return true;
    case Qt::Key_Down:
      arrow(0, 1);
      return true;
    case Qt::Key_PageUp:
      v->setValue(v->minimum());
      return true;
    case Qt::Key_PageDown:
      v->setValue(v->maximum());
      return true;
    case Qt::Key_Home:
      h->setValue(h->minimum());
      return true;
    case Qt::Key_End:
      h->setValue(h->maximum());
      return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
      Guard([this] { Mouse.DeleteKey(true); });
      return true;
    case Qt::Key_Escape:
      Guard([this] { Selections.ClearSelection(); });
      return true;
    case Qt::Key_F1:
      trigger("LMHelp2");
      return true;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
      LMIncrease1Click();
      return true;
    case Qt::Key_Minus:
      LMDecrease1Click();
      return true;
    case Qt::Key_F:
      FitWindowToImage();
      return true;
    default:
      return false;
  }
}

bool TForm1::FormKeyUp(QKeyEvent* e) {
  if (e->isAutoRepeat()) return false;
  switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      ArrowStep.Release();
      return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
      Mouse.DeleteKey(false);
      return true;
    default:
      return false;
  }
}

}  // namespace lumarte::editor
