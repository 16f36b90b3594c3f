#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Lumarte 1.0"));
  resize(800, 600);
}

}  // namespace lumarte::editor
