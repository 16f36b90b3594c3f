#pragma once
// The save prompt shown when a changed image is closed.
#include <QDialog>

#include "editor/model/DocumentList.h"

namespace lumarte::editor {

class TSaveChangedForm : public QDialog {
 public:
  explicit TSaveChangedForm(QWidget* parent = nullptr);
  // Shows the prompt modally; closing the window counts as Cancel.
  TSaveChangedAnswer Execute();
};

}  // namespace lumarte::editor
