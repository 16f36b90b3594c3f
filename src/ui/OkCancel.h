#pragma once
// The OK and Cancel buttons of a modal dialog: OK is the default button and
// accepts, Cancel rejects. The caller places them in its own layout.
#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace lumarte::ui {

struct TOkCancelButtons {
  QPushButton* Ok;
  QPushButton* Cancel;
};

// Object names and captions; language files find the buttons by these names.
struct TOkCancelLabels {
  const char* OkName = "OKButton";
  const char* CancelName = "CancelButton";
  QString OkCaption = QStringLiteral("OK");
  QString CancelCaption = QStringLiteral("Cancel");
};

TOkCancelButtons OkCancelButtons(QDialog* dialog, const TOkCancelLabels& labels = {});
// The two buttons at the right of a row of their own, for the dialog's layout.
QHBoxLayout* OkCancelRow(QDialog* dialog, const TOkCancelLabels& labels = {});

}  // namespace lumarte::ui
