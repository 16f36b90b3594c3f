#include "editor/ui/NewImageForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>

namespace lumarte::editor {

namespace {

QSpinBox* SizeEdit(const char* name) {
  auto* s = new QSpinBox;
  s->setObjectName(name);
  s->setRange(0, 32000);
  s->setValue(0);
  return s;
}

}  // namespace

TNewImageForm::TNewImageForm(QWidget* parent) : QDialog(parent) {
  setObjectName("NewImageForm");
  setWindowTitle("New");
  WidthSpinEdit = SizeEdit("WidthSpinEdit");
  HeightSpinEdit = SizeEdit("HeightSpinEdit");
  auto* form = new QFormLayout(this);
  form->addRow("Width", WidthSpinEdit);
  form->addRow("Height", HeightSpinEdit);
  auto* ok = new QPushButton("OK");
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel");
  cancel->setObjectName("CancelButton");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  form->addRow(buttons);
}

}  // namespace lumarte::editor
