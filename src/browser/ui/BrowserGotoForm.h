#pragma once
// "Go To": the image number the grid scrolls to.
#include <optional>

#include <QDialog>

class QLabel;
class QSpinBox;

namespace lumarte::browser {

class TBrowserGotoForm : public QDialog {
 public:
  explicit TBrowserGotoForm(QWidget* parent);
  QSpinBox* SpinEdit1;
  QLabel* Label2;  // " of 123 images."
  // Shows the dialog for count images starting at value; nothing on Cancel.
  std::optional<int> Ask(int count, int value);
};

}  // namespace lumarte::browser
