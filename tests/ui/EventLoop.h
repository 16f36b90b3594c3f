#pragma once
// Waiting on the event loop in Qt tests.
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>

namespace lumarte::testing {

// Runs the event loop for ms milliseconds.
inline void ProcessEventsFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
}

// Runs the event loop until done() or the time is up; gives done().
inline bool ProcessEventsUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return done();
}

}  // namespace lumarte::testing
