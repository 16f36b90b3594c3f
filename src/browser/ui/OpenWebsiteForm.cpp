#include "browser/ui/OpenWebsiteForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogStart.h"
#include "ui/Named.h"
#include "ui/OkCancel.h"

namespace lumarte::browser {

TOpenWebsiteForm::TOpenWebsiteForm(QWidget* parent) : QDialog(parent) {
  setObjectName("OpenWebsiteForm");
  setWindowTitle("Open Website");
  auto* row = new QHBoxLayout;
  row->addWidget(ui::Named(new QLabel("URL:"), "Label1"));
  row->addWidget(ui::Named(new QLabel("http://"), "Label2"));
  Edit1 = ui::Named(new QLineEdit, "Edit1");
  Edit1->setMinimumWidth(320);
  row->addWidget(Edit1, 1);
  auto buttons = ui::OkCancelButtons(this);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch(1);
  buttonRow->addWidget(buttons.Ok);
  buttonRow->addWidget(buttons.Cancel);
  auto* column = new QVBoxLayout(this);
  column->addLayout(row);
  column->addLayout(buttonRow);
}

std::optional<std::string> TOpenWebsiteForm::Ask() {
  if (ui::ExecFromFirstInput(*this) != QDialog::Accepted) return std::nullopt;
  return Edit1->text().toStdString();
}

}  // namespace lumarte::browser
