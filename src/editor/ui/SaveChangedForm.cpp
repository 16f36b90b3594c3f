#include "editor/ui/SaveChangedForm.h"
#include "ui/DialogStart.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumarte::editor {

namespace {

struct TAnswerButton {
  const char* Name;
  const char* Caption;
  TSaveChangedAnswer Answer;
};
constexpr TAnswerButton kButtons[] = {
    {"SaveButton", "Save", TSaveChangedAnswer::Save},
    {"SaveAsButton", "Save As", TSaveChangedAnswer::SaveAs},
    {"DontSaveButton", "Don't Save", TSaveChangedAnswer::DontSave},
    {"CancelButton", "Cancel", TSaveChangedAnswer::Cancel},
};

// Result codes above those of QDialog, one per answer.
constexpr int kFirstCode = 10;

}  // namespace

TSaveChangedForm::TSaveChangedForm(QWidget* parent) : QDialog(parent) {
  setObjectName("SaveChangedForm");
  setWindowTitle("Save Image?");
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel("This image has changed.");
  text->setObjectName("Label1");
  layout->addWidget(text);
  auto* row = new QHBoxLayout;
  for (int i = 0; i < static_cast<int>(std::size(kButtons)); ++i) {
    auto* b = new QPushButton(kButtons[i].Caption);
    b->setObjectName(kButtons[i].Name);
    connect(b, &QPushButton::clicked, this, [this, i] { done(kFirstCode + i); });
    row->addWidget(b);
  }
  layout->addLayout(row);
}

TSaveChangedAnswer TSaveChangedForm::Execute() {
  int code = ui::ExecFromFirstInput(*this) - kFirstCode;
  if (code < 0 || code >= static_cast<int>(std::size(kButtons))) return TSaveChangedAnswer::Cancel;
  return kButtons[code].Answer;
}

}  // namespace lumarte::editor
