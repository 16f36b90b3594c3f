#include "editor/ui/OptionsForm.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/Named.h"
#include "ui/DialogStart.h"

namespace lumarte::editor {

namespace {

std::optional<std::string> AskForFolder(QWidget* parent) {
  QString folder = QFileDialog::getExistingDirectory(parent, QStringLiteral("Select a Directory"));
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

}  // namespace

TOptionsForm::TOptionsForm(TSettings& settings, QWidget* parent)
    : QDialog(parent),
      GroupBox1(ui::Named(new QGroupBox("Options that need a restart to have an effect"), "GroupBox1")),
      Label1(ui::Named(new QLabel("Length of Recent Files List in Menu"), "Label1")),
      SpinEdit1(ui::Named(new QSpinBox, "SpinEdit1")),
      CheckBox1(ui::Named(new QCheckBox("use as Default Directory"), "CheckBox1")),
      Edit1(ui::Named(new QLineEdit, "Edit1")),
      Button1(ui::Named(new QPushButton("Select a Directory"), "Button1")),
      Button2(ui::Named(new QPushButton("OK"), "Button2")),
      Settings(settings) {
  setObjectName("OptionsForm");
  setWindowTitle("Options");
  ChooseFolder = [this] { return AskForFolder(this); };

  SpinEdit1->setRange(0, TRecentFiles::kMaxEntries);
  Edit1->setReadOnly(true);
  Button2->setDefault(true);

  auto* recent = new QHBoxLayout;
  recent->addWidget(Label1);
  recent->addWidget(SpinEdit1);
  recent->addStretch();
  auto* folder = new QHBoxLayout;
  folder->addWidget(Edit1, 1);
  folder->addWidget(Button1);
  auto* group = new QVBoxLayout(GroupBox1);
  group->addLayout(recent);
  group->addWidget(CheckBox1);
  group->addLayout(folder);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addLayout(buttons);
  resize(460, sizeHint().height());

  ShowSettings();
  connect(SpinEdit1, &QSpinBox::valueChanged, this,
          [this](int value) { Settings.SetNoOfRecentFiles(value); });
  connect(CheckBox1, &QCheckBox::toggled, this,
          [this](bool checked) { Settings.UseDefaultDir = checked; });
  connect(Button1, &QPushButton::clicked, this, [this] { SelectDirectory(); });
  connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
}

void TOptionsForm::ShowSettings() {
  QSignalBlocker spin(SpinEdit1);
  QSignalBlocker box(CheckBox1);
  SpinEdit1->setValue(Settings.Recent.NoOfRecentFiles);
  CheckBox1->setChecked(Settings.UseDefaultDir);
  Edit1->setText(QString::fromStdString(Settings.DefaultDir));
}

void TOptionsForm::Execute() {
  ShowSettings();
  ui::ExecFromFirstInput(*this);
}

void TOptionsForm::SelectDirectory() {
  auto folder = ChooseFolder();
  if (folder && Settings.ChooseDefaultDir(*folder)) {
    Edit1->setText(QString::fromStdString(*folder));
    CheckBox1->setChecked(true);
  } else {
    CheckBox1->setChecked(false);
  }
}

}  // namespace lumarte::editor
