#pragma once
// A read-only text window with a Close button.
#include <string>
#include <vector>

#include <QDialog>

class QPlainTextEdit;

namespace lumarte::editor {

class TTextForm : public QDialog {
 public:
  explicit TTextForm(QWidget* parent = nullptr);
  void SetLines(const std::vector<std::string>& lines);
  QPlainTextEdit* Memo;
};

}  // namespace lumarte::editor
