#pragma once
// One application object for all Qt tests of a program (the program's own,
// with its exception guard), made on first use, and waiting on the event loop.
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>

#include "editor/ui/ErrorHandler.h"

namespace lumarte::testing {

inline void EnsureQtApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  new lumarte::editor::TLumarteApplication(argc, argv);
}

// A first member or base that makes sure the application exists before any
// widget of a fixture is built.
struct QtApplicationUser {
  QtApplicationUser() { EnsureQtApplication(); }
};

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
