#include "editor/ui/IconSelectionForm.h"

#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/RevedImage.h"

namespace lumarte::editor {

TIconSelectionForm::TIconSelectionForm(QWidget* parent) : QDialog(parent) {
  // Object names are the component names a language file uses.
  setObjectName("IconSelectionForm");
  setWindowTitle(QStringLiteral("Select icon to import from file"));
  Note = new QLabel(
      QStringLiteral("Note that writing of files with multiple icons is not supported."));
  Note->setObjectName("NoteLabel");
  IconBox = new QComboBox;
  Preview = new QLabel;
  Preview->setFrameShape(QFrame::Box);
  ColorLabel = new QLabel;
  ColorButton = new QPushButton(QStringLiteral("Transparent color"));
  ColorButton->setObjectName("TransparentColorButton");
  OkButton = new QPushButton(QStringLiteral("&Ok"));
  OkButton->setObjectName("OKButton");
  OkButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("&Cancel"));
  CancelButton->setObjectName("CancelButton");

  auto* colorRow = new QHBoxLayout;
  colorRow->addWidget(ColorButton);
  colorRow->addWidget(ColorLabel);
  colorRow->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Note);
  layout->addWidget(IconBox);
  layout->addWidget(Preview, 0, Qt::AlignLeft);
  layout->addLayout(colorRow);
  layout->addLayout(buttons);

  PickColor = [this](uint32_t& color) { return AskColorDialog(color); };
  connect(IconBox, &QComboBox::currentIndexChanged, this, &TIconSelectionForm::UpdatePreview);
  connect(ColorButton, &QPushButton::clicked, this, &TIconSelectionForm::ChooseColor);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TIconSelectionForm::SetIcons(const imaging::TIconList& icons, uint32_t transparentColor) {
  Icons = &icons;
  Color = transparentColor & 0xFFFFFF;
  QSignalBlocker block(IconBox);
  IconBox->clear();
  for (int i = 0; i < icons.Count(); ++i)
    IconBox->addItem(QString::fromStdString(IconDescription(icons.Kind, icons[i])));
  IconBox->setCurrentIndex(0);
  UpdatePreview();
}

void TIconSelectionForm::ClearIcons() {
  Icons = nullptr;
  QSignalBlocker block(IconBox);
  IconBox->clear();
  Preview->clear();
}

int TIconSelectionForm::SelectedIndex() const {
  return IconBox->currentIndex();
}

void TIconSelectionForm::UpdatePreview() {
  ColorLabel->setText(QString::fromStdString(imaging::ColorHexText(Color)));
  const int index = SelectedIndex();
  if (!Icons || index < 0 || index >= Icons->Count()) {
    Preview->clear();
    return;
  }
  QImage panel = platform::QImageOf(IconPreview((*Icons)[index], Color));
  Preview->setFixedSize(panel.size());
  Preview->setPixmap(QPixmap::fromImage(panel));
}

void TIconSelectionForm::ChooseColor() {
  uint32_t color = Color;
  if (!PickColor || !PickColor(color)) return;
  Color = color & 0xFFFFFF;
  UpdatePreview();
}

bool TIconSelectionForm::AskColorDialog(uint32_t& color) {
  QColorDialog::setCustomColor(0, QColor(0xFE, 0x00, 0xFF));
  QColor chosen =
      QColorDialog::getColor(QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF), this);
  if (!chosen.isValid()) return false;
  color = uint32_t(chosen.red()) | uint32_t(chosen.green()) << 8 | uint32_t(chosen.blue()) << 16;
  return true;
}

bool TIconSelectionChooser::ChooseIcon(const imaging::TIconList& icons, int& index,
                                       uint32_t& transparentColor) {
  if (!Form) {
    Form = std::make_unique<TIconSelectionForm>();
    if (FormCreated) FormCreated(Form.get());
  }
  Form->SetIcons(icons, transparentColor);
  const bool ok = Form->exec() == QDialog::Accepted;
  if (ok) {
    index = Form->SelectedIndex();
    transparentColor = Form->TransparentColor();
  }
  Form->ClearIcons();
  return ok;
}

}  // namespace lumarte::editor
