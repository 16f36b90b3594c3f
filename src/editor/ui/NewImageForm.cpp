#include "editor/ui/NewImageForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <tuple>

#include "ui/OkCancel.h"

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
  // Named labels, so that a language file reaches them.
  for (auto [name, caption, edit] : {std::tuple{"WidthLabel", "Width", WidthSpinEdit},
                                     std::tuple{"HeightLabel", "Height", HeightSpinEdit}}) {
    auto* label = new QLabel(caption);
    label->setObjectName(name);
    form->addRow(label, edit);
  }
  auto [ok, cancel] = ui::OkCancelButtons(this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  form->addRow(buttons);
}

}  // namespace lumarte::editor
