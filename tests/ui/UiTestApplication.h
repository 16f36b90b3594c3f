#pragma once
// Widgets need one QApplication per process; every Qt test asks for it here.
#include <QApplication>

namespace lumarte::testing {

inline void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace lumarte::testing
