#pragma once
// Keeps two scroll boxes showing the same part of their pictures: a timer
// copies the position of the box that moved to the other one while the
// dialog is visible.
#include <QObject>
#include <QPoint>
#include <QTimer>

class QScrollArea;

namespace lumarte::ui {

class TScrollStepper {
 public:
  TScrollStepper(QScrollArea* first, QScrollArea* second);
  void Start() { Timer.start(); }
  void Stop() { Timer.stop(); }
  bool Running() const { return Timer.isActive(); }
  // One tick of the timer.
  void Step();

 private:
  QScrollArea* First;
  QScrollArea* Second;
  QPoint LastFirst, LastSecond;
  QTimer Timer;
};

}  // namespace lumarte::ui
