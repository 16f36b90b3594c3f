#include <QApplication>

#include "editor/ui/MainWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumarte 1.0"));
  lumarte::editor::TForm1 window;
  window.show();
  return QApplication::exec();
}
