#include "editor/ui/SelectExtForm.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumarte::editor {

using editor::TSaveFormatChoice;

namespace {

struct TFormatButton {
  const char* Name;
  const char* Caption;
  TSaveFormatChoice Choice;
};

constexpr TFormatButton kButtons[6] = {
    {"SEJPGRadioButton", "JPG", TSaveFormatChoice::Jpg},
    {"SEBMPRadioButton", "BMP", TSaveFormatChoice::Bmp},
    {"SEPNGRadioButton", "PNG", TSaveFormatChoice::Png},
    {"SEEMFRadioButton", "EMF", TSaveFormatChoice::Emf},
    {"SEWMFRadioButton", "WMF", TSaveFormatChoice::Wmf},
    {"SEJP2RadioButton", "JP2", TSaveFormatChoice::Jp2},
};

}  // namespace

TSelectExtForm::TSelectExtForm(QWidget* parent) : QDialog(parent) {
  setObjectName("SelectExtForm");
  setWindowTitle("Save as");
  auto* layout = new QVBoxLayout(this);
  auto* text1 = new QLabel("The file extension was not valid. ");
  text1->setObjectName("Label1");
  auto* text2 = new QLabel("Please select how to save it as");
  text2->setObjectName("Label2");
  layout->addWidget(text1);
  layout->addWidget(text2);
  for (int i = 0; i < 6; ++i) {
    Buttons[i] = new QRadioButton(kButtons[i].Caption);
    Buttons[i]->setObjectName(kButtons[i].Name);
    layout->addWidget(Buttons[i]);
  }
  Buttons[0]->setChecked(true);
  auto* ok = new QPushButton("OK");
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignRight);
}

TSaveFormatChoice TSelectExtForm::Choice() const {
  for (int i = 0; i < 6; ++i)
    if (Buttons[i]->isChecked()) return kButtons[i].Choice;
  return TSaveFormatChoice::None;
}

void TSelectExtForm::SetChoice(TSaveFormatChoice choice) {
  for (int i = 0; i < 6; ++i)
    if (kButtons[i].Choice == choice) Buttons[i]->setChecked(true);
}

}  // namespace lumarte::editor
