#pragma once
// The format chooser shown when a save name has no usable extension.
#include <QDialog>

#include "editor/model/ImageFormats.h"

class QRadioButton;

namespace lumarte::editor {

class TSelectExtForm : public QDialog {
 public:
  explicit TSelectExtForm(QWidget* parent = nullptr);
  // The ticked format; the window's close box keeps the ticked one too.
  editor::TSaveFormatChoice Choice() const;
  void SetChoice(editor::TSaveFormatChoice choice);

 private:
  QRadioButton* Buttons[6];
};

}  // namespace lumarte::editor
