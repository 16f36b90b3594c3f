#pragma once
// The New dialog: width and height of a white image.
#include <QDialog>

class QSpinBox;

namespace lumarte::editor {

class TNewImageForm : public QDialog {
 public:
  explicit TNewImageForm(QWidget* parent = nullptr);
  QSpinBox* WidthSpinEdit;
  QSpinBox* HeightSpinEdit;
};

}  // namespace lumarte::editor
