#include "editor/ui/BitmapSaveForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/model/DocumentCodecs.h"
#include "editor/model/ErrorText.h"
#include "ui/OkCancel.h"
#include "ui/PicturePane.h"
#include "platform/RasterImage.h"
#include "ui/DialogStart.h"

namespace lumarte::editor {

namespace {

struct TDepth {
  const char* Name;
  const char* Caption;
  int Bits;
};
constexpr TDepth kDepths[4] = {
    {"Bit24RadioButton", "24 bit (standard)", 24},
    {"Bit8RadioButton", "8 bit", 8},
    {"Bit4RadioButton", "4 bit", 4},
    {"Bit1RadioButton", "1 bit", 1},
};

}  // namespace

TBitmapSaveForm::TBitmapSaveForm(QWidget* parent) : QDialog(parent) {
  setObjectName("BitmapSaveForm");
  setWindowTitle("Bitmap Save Form");
  auto* depth = new QGroupBox("Color Depth");
  depth->setObjectName("ColorDepthGroupBox");
  auto* depthLayout = new QVBoxLayout(depth);
  for (int i = 0; i < 4; ++i) {
    DepthButtons[i] = new QRadioButton(kDepths[i].Caption);
    DepthButtons[i]->setObjectName(kDepths[i].Name);
    depthLayout->addWidget(DepthButtons[i]);
    connect(DepthButtons[i], &QRadioButton::clicked, this, [this] { Convert(); });
  }
  DepthButtons[0]->setChecked(true);
  depthLayout->addStretch();

  auto* previewGroup = new QGroupBox("Preview");
  previewGroup->setObjectName("PreviewGroupBox");
  auto* previewLayout = new QVBoxLayout(previewGroup);
  Preview = new TPicturePane;
  Preview->setObjectName("PreviewPane");
  Preview->setMinimumSize(300, 240);
  MessageLabel = new QLabel;
  MessageLabel->setObjectName("MessageLabel");
  MessageLabel->setWordWrap(true);
  previewLayout->addWidget(Preview, 1);
  previewLayout->addWidget(MessageLabel);

  QHBoxLayout* buttons = ui::OkCancelRow(this);

  auto* top = new QHBoxLayout;
  top->addWidget(depth);
  top->addWidget(previewGroup, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
}

int TBitmapSaveForm::ChosenBits() const {
  for (int i = 0; i < 4; ++i)
    if (DepthButtons[i]->isChecked()) return kDepths[i].Bits;
  return 24;
}

void TBitmapSaveForm::Prepare(const editor::TBitmap& bitmap) {
  Bitmap = bitmap;
  Convert();
}

std::optional<int> TBitmapSaveForm::Execute(const editor::TBitmap& bitmap) {
  Prepare(bitmap);
  if (ui::ExecFromFirstInput(*this) != QDialog::Accepted) return std::nullopt;
  return ShownBits;
}

void TBitmapSaveForm::Convert() {
  int bits = ChosenBits();
  try {
    Preview->SetPicture(platform::ToQImage(editor::ReducedToDepth(Bitmap, bits)));
    ShownBits = bits;
    MessageLabel->clear();
  } catch (const std::exception& e) {
    // Keep the depth of the picture that is shown.
    MessageLabel->setText(QString::fromStdString(editor::ErrorMessageFor(e)));
  }
}

}  // namespace lumarte::editor
