#include "gallery/ui/StyleOptionsForm.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gallery/model/ColourList.h"
#include "ui/DialogStart.h"
#include "ui/Named.h"
#include "ui/OkCancel.h"

namespace lumarte::gallery {

TStyleOptionsForm::TStyleOptionsForm(const char* name, const char* caption, QWidget* parent)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  Body = new QVBoxLayout;
  layout->addLayout(Body);
  layout->addStretch();
  const ui::TOkCancelButtons buttons = ui::OkCancelButtons(this);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(buttons.Ok);
  row->addWidget(buttons.Cancel);
  layout->addLayout(row);
}

bool TStyleOptionsForm::Execute() {
  TGallerySettings before;
  Store(before);
  if (ui::ExecFromFirstInput(*this) == QDialog::Accepted) return true;
  Load(before);
  return false;
}

QLineEdit* TStyleOptionsForm::AddCssClassRow() {
  auto* edit = ui::Named(new QLineEdit, "CSSClassEdit");
  auto* form = new QFormLayout;
  form->addRow("CSS Class", edit);
  Body->addLayout(form);
  return edit;
}

QComboBox* ColourComboBox(const char* name) {
  auto* box = ui::Named(new QComboBox, name);
  for (const std::string& item : ColourList()) box->addItem(QString::fromStdString(item));
  // 137 colours: a scrolled list instead of a popup taller than the screen.
  box->setStyleSheet("QComboBox { combobox-popup: 0; }");
  box->setMaxVisibleItems(16);
  return box;
}

QRadioButton* Radio(const char* name, const QString& caption) {
  return ui::Named(new QRadioButton(caption), name);
}

QGroupBox* RadioGroup(const char* name, const QString& caption,
                      std::initializer_list<QRadioButton*> buttons) {
  auto* group = ui::Named(new QGroupBox(caption), name);
  auto* layout = new QVBoxLayout(group);
  for (QRadioButton* b : buttons) layout->addWidget(b);
  return group;
}

}  // namespace lumarte::gallery
