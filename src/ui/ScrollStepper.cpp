#include "ui/ScrollStepper.h"

#include <QScrollArea>
#include <QScrollBar>

namespace lumarte::ui {

namespace {

QPoint Position(QScrollArea* a) {
  return {a->horizontalScrollBar()->value(), a->verticalScrollBar()->value()};
}

void MoveTo(QScrollArea* a, QPoint p) {
  a->horizontalScrollBar()->setValue(p.x());
  a->verticalScrollBar()->setValue(p.y());
}

}  // namespace

TScrollStepper::TScrollStepper(QScrollArea* first, QScrollArea* second)
    : First(first), Second(second) {
  Timer.setInterval(100);
  QObject::connect(&Timer, &QTimer::timeout, [this] { Step(); });
}

void TScrollStepper::Step() {
  QPoint a = Position(First), b = Position(Second);
  if (a != LastFirst)
    MoveTo(Second, a);
  else if (b != LastSecond)
    MoveTo(First, b);
  LastFirst = Position(First);
  LastSecond = Position(Second);
}

}  // namespace lumarte::ui
