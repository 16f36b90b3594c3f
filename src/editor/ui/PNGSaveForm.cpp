#include "editor/ui/PNGSaveForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/model/SavePreviews.h"
#include "ui/PicturePane.h"
#include "platform/RasterImage.h"
#include "ui/DialogStart.h"

namespace lumarte::editor {

using editor::TColor;
using editor::TPngTransparency;

namespace {

QLabel* Swatch(const char* name) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setFixedSize(16, 16);
  label->setFrameShape(QFrame::Box);
  label->setAutoFillBackground(true);
  return label;
}

void Paint(QLabel* swatch, TColor color) {
  QPalette p = swatch->palette();
  p.setColor(QPalette::Window,
             QColor(editor::RedOf(color), editor::GreenOf(color), editor::BlueOf(color)));
  swatch->setPalette(p);
}

QRadioButton* Radio(const char* name, const char* caption) {
  auto* b = new QRadioButton(caption);
  b->setObjectName(name);
  return b;
}

}  // namespace

TPNGSaveForm::TPNGSaveForm(QWidget* parent) : QDialog(parent) {
  setObjectName("PNGSaveForm");
  setWindowTitle("Save PNG ");
  auto* options = new QGroupBox("Options");
  options->setObjectName("OptionsGroupBox");
  auto* grid = new QGridLayout(options);
  UseOriginalRadioButton = Radio("UseOriginalRadioButton", "use original options:");
  TransparentRadioButton =
      Radio("TransparentRadioButton", "Transparent with current Transparent Color");
  NotTransparentRadioButton = Radio("NotTransparentRadioButton", "not Transparent");
  StateLabel = new QLabel("not transparent");
  StateLabel->setObjectName("StateLabel");
  DocumentSwatch = Swatch("DocumentColorShape");
  CurrentSwatch = Swatch("CurrentColorShape");
  grid->addWidget(UseOriginalRadioButton, 0, 0);
  grid->addWidget(StateLabel, 0, 1);
  grid->addWidget(DocumentSwatch, 0, 2);
  grid->addWidget(TransparentRadioButton, 1, 0, 1, 2);
  grid->addWidget(CurrentSwatch, 1, 2);
  grid->addWidget(NotTransparentRadioButton, 2, 0, 1, 3);
  // The document's own transparency is kept for callers that show it.
  UseOriginalRadioButton->hide();
  StateLabel->hide();
  DocumentSwatch->hide();
  NotTransparentRadioButton->setChecked(true);

  auto* display = new QGroupBox("Display");
  display->setObjectName("DisplayGroupBox");
  auto* displayLayout = new QVBoxLayout(display);
  auto* zoomRow = new QHBoxLayout;
  OneToOneRadioButton = Radio("OneToOneRadioButton", "1:1");
  FullImageRadioButton = Radio("FullImageRadioButton", "Full Image");
  FullImageRadioButton->setChecked(true);
  zoomRow->addWidget(OneToOneRadioButton);
  zoomRow->addWidget(FullImageRadioButton);
  zoomRow->addStretch();
  Preview = new TPicturePane;
  Preview->setObjectName("PreviewPane");
  Preview->setMinimumSize(280, 220);
  displayLayout->addLayout(zoomRow);
  displayLayout->addWidget(Preview);

  auto* ok = new QPushButton("OK");
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  EditColorButton = new QPushButton("Edit Transparent Color");
  EditColorButton->setObjectName("EditColorButton");
  connect(EditColorButton, &QPushButton::clicked, this, [this] { EditColorButtonClick(); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(EditColorButton);
  buttons->addStretch();
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(options);
  layout->addWidget(display, 1);
  layout->addLayout(buttons);

  for (QRadioButton* b : {UseOriginalRadioButton, TransparentRadioButton, NotTransparentRadioButton,
                          OneToOneRadioButton, FullImageRadioButton})
    connect(b, &QRadioButton::toggled, this, [this](bool on) {
      if (on) RefreshPreview();
    });
}

void TPNGSaveForm::Prepare(const editor::TBitmap& bitmap, bool documentTransparent,
                           TColor currentColor, TColor documentColor) {
  Bitmap = bitmap;
  DocumentTransparent = documentTransparent;
  CurrentColor = currentColor;
  DocumentColor = documentColor;
  StateLabel->setText(documentTransparent ? "transparent" : "not transparent");
  Paint(DocumentSwatch, documentColor);
  Paint(CurrentSwatch, currentColor);
  EditColorButton->setEnabled(static_cast<bool>(EditTransparentColor));
  RefreshPreview();
}

void TPNGSaveForm::EditColorButtonClick() {
  if (!EditTransparentColor) return;
  std::optional<TColor> colour = EditTransparentColor();
  if (!colour) return;
  CurrentColor = *colour;
  Paint(CurrentSwatch, CurrentColor);
  RefreshPreview();
}

void TPNGSaveForm::Execute(const editor::TBitmap& bitmap, bool documentTransparent,
                           TColor currentColor, TColor documentColor) {
  Prepare(bitmap, documentTransparent, currentColor, documentColor);
  ui::ExecFromFirstInput(*this);
}

TPngTransparency TPNGSaveForm::Choice() const {
  if (UseOriginalRadioButton->isChecked()) return TPngTransparency::Original;
  if (TransparentRadioButton->isChecked()) return TPngTransparency::CurrentColor;
  return TPngTransparency::NotTransparent;
}

void TPNGSaveForm::RefreshPreview() {
  bool fitted = FullImageRadioButton->isChecked();
  switch (Choice()) {
    case TPngTransparency::Original:
      Preview->SetPicture(
          platform::ToQImage(
              DocumentTransparent ? editor::MarkTransparentPixels(Bitmap, DocumentColor) : Bitmap),
          fitted);
      break;
    case TPngTransparency::CurrentColor:
      Preview->SetPicture(platform::ToQImage(editor::MarkTransparentPixels(Bitmap, CurrentColor)),
                          fitted);
      break;
    case TPngTransparency::NotTransparent:
      Preview->SetPicture(platform::ToQImage(Bitmap), fitted);
      break;
  }
}

}  // namespace lumarte::editor
