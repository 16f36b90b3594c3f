#include "browser/ui/BrowserGotoForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

#include "ui/DialogStart.h"
#include "ui/Named.h"
#include "ui/OkCancel.h"

namespace lumarte::browser {

TBrowserGotoForm::TBrowserGotoForm(QWidget* parent) : QDialog(parent) {
  setObjectName("BrowserGotoForm");
  setWindowTitle("Go To");
  auto* row = new QHBoxLayout;
  row->addWidget(ui::Named(new QLabel("Go to image "), "Label1"));
  SpinEdit1 = ui::Named(new QSpinBox, "SpinEdit1");
  row->addWidget(SpinEdit1);
  Label2 = ui::Named(new QLabel, "Label2");
  row->addWidget(Label2);
  auto buttons = ui::OkCancelButtons(this);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch(1);
  buttonRow->addWidget(buttons.Ok);
  buttonRow->addWidget(buttons.Cancel);
  auto* column = new QVBoxLayout(this);
  column->addLayout(row);
  column->addLayout(buttonRow);
}

std::optional<int> TBrowserGotoForm::Ask(int count, int value) {
  Label2->setText(QString(" of %1 images.").arg(count));
  SpinEdit1->setRange(0, count);
  SpinEdit1->setValue(value);
  if (ui::ExecFromFirstInput(*this) != QDialog::Accepted) return std::nullopt;
  return SpinEdit1->value();
}

}  // namespace lumarte::browser
