#pragma once
#include <QMainWindow>

namespace lumarte::editor {

// The main window.
class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
};

}  // namespace lumarte::editor
