#include "editor/ui/PrintForm.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/ApplyLanguage.h"
#include "ui/Named.h"
#include "ui/DialogStart.h"

namespace lumarte::editor {

using ui::Named;

namespace {

QRadioButton* Radio(QLayout* group, const char* name, const char* caption, bool checked) {
  auto* button = Named(new QRadioButton(caption), name);
  button->setChecked(checked);
  group->addWidget(button);
  return button;
}

QGroupBox* Group(const char* name, const char* caption, QLayout* layout) {
  auto* box = Named(new QGroupBox(caption), name);
  box->setLayout(layout);
  return box;
}

QSpinBox* SpinEdit(const char* name, int low, int high, int value) {
  auto* edit = Named(new QSpinBox, name);
  edit->setRange(low, high);
  edit->setValue(value);
  return edit;
}

QPushButton* Button(QLayout* row, const char* name, const char* caption) {
  auto* button = Named(new QPushButton(caption), name);
  row->addWidget(button);
  return button;
}

}  // namespace

TPrintForm::TPrintForm(QWidget* parent) : QDialog(parent) {
  setObjectName("PrintForm");
  setWindowTitle("Print");
  auto* layout = new QVBoxLayout(this);

  auto* orientation = new QHBoxLayout;
  PFPortraitRadioButton = Radio(orientation, "PFPortraitRadioButton", "Portrait", true);
  PFLandscapeRadioButton = Radio(orientation, "PFLandscapeRadioButton", "Landscape", false);
  layout->addWidget(Group("OrientationGroupBox", "Orientation", orientation));

  auto* size = new QFormLayout;
  TargetWidthSpinEdit = SpinEdit("TargetWidthSpinEdit", 0, 100, 100);
  TargetHeightSpinEdit = SpinEdit("TargetHeightSpinEdit", 1, 100, 100);
  size->addRow(Named(new QLabel("Target Width (in %)"), "TargetWidthLabel"), TargetWidthSpinEdit);
  size->addRow(Named(new QLabel("Target Height (in %)"), "TargetHeightLabel"),
               TargetHeightSpinEdit);
  layout->addLayout(size);

  auto* horizontal = new QHBoxLayout;
  PFLeftRadioButton = Radio(horizontal, "PFLeftRadioButton", "Left", true);
  PFCenterRadioButton = Radio(horizontal, "PFCenterRadioButton", "Center", false);
  PFRightRadioButton = Radio(horizontal, "PFRightRadioButton", "Right", false);
  layout->addWidget(Group("AlignmentGroupBox", "Alignment", horizontal));

  auto* vertical = new QHBoxLayout;
  PFTopRadioButton = Radio(vertical, "PFTopRadioButton", "Top", true);
  PFMiddleRadioButton = Radio(vertical, "PFMiddleRadioButton", "Middle", false);
  PFBottomRadioButton = Radio(vertical, "PFBottomRadioButton", "Bottom", false);
  layout->addWidget(Group("VerticalAlignmentGroupBox", "Vertical Alignment", vertical));

  auto* copies = new QFormLayout;
  NumOfCopiesSpinEdit = SpinEdit("NumOfCopiesSpinEdit", 1, 1000, 1);
  copies->addRow(Named(new QLabel("Number of Copies:"), "NumOfCopiesLabel"), NumOfCopiesSpinEdit);
  layout->addLayout(copies);

  auto* all = new QHBoxLayout;
  PFAllImagesCheckBox = Named(new QCheckBox("Print All"), "PFAllImagesCheckBox");
  all->addWidget(PFAllImagesCheckBox);
  layout->addWidget(Group("AllImagesGroupBox", "Print All Open Images", all));

  auto* buttons = new QHBoxLayout;
  QPushButton* print = Button(buttons, "PFPrintButton", "Print");
  QPushButton* cancel = Button(buttons, "PFCancelButton", "Cancel");
  print->setDefault(true);
  layout->addLayout(buttons);

  connect(print, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(PFPortraitRadioButton, &QRadioButton::clicked, this,
          &TPrintForm::PFPortraitRadioButtonClick);
  connect(PFLandscapeRadioButton, &QRadioButton::clicked, this,
          &TPrintForm::PFLandscapeRadioButtonClick);
  ui::ApplyLanguageToForm(this);
}

void TPrintForm::PFPortraitRadioButtonClick() {
  if (OrientationClicked) OrientationClicked(false);
}

void TPrintForm::PFLandscapeRadioButtonClick() {
  if (OrientationClicked) OrientationClicked(true);
}

std::optional<TPrintOptions> TPrintForm::Execute() {
  if (ui::ExecFromFirstInput(*this) != QDialog::Accepted) return std::nullopt;
  return Options();
}

TPrintOptions TPrintForm::Options() const {
  TPrintOptions o;
  o.Landscape = !PFPortraitRadioButton->isChecked();
  o.TargetWidth = TargetWidthSpinEdit->value();
  o.TargetHeight = TargetHeightSpinEdit->value();
  o.Horizontal = PFCenterRadioButton->isChecked()  ? THorizontalAlign::Center
                 : PFRightRadioButton->isChecked() ? THorizontalAlign::Right
                                                   : THorizontalAlign::Left;
  o.Vertical = PFMiddleRadioButton->isChecked()   ? TVerticalAlign::Middle
               : PFBottomRadioButton->isChecked() ? TVerticalAlign::Bottom
                                                  : TVerticalAlign::Top;
  o.Copies = NumOfCopiesSpinEdit->value();
  o.PrintAll = PFAllImagesCheckBox->isChecked();
  return o;
}

}  // namespace lumarte::editor
