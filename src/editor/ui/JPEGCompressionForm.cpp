#include "editor/ui/JPEGCompressionForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "editor/model/DocumentCodecs.h"
#include "editor/model/ErrorText.h"
#include "editor/model/SavePreviews.h"
#include "ui/OkCancel.h"
#include "ui/PicturePane.h"
#include "platform/RasterImage.h"
#include "ui/DialogStart.h"

namespace lumarte::editor {

namespace {

struct TPreset {
  const char* Caption;
  int Quality;
};
constexpr TPreset kPresets[] = {
    {"WWW Photo (high qu.)", 25},
    {"WWW Photo (low qu.)", 17},
    {"WWW Background", 12},
};

QGroupBox* Group(const char* name, const char* caption, QWidget* content) {
  auto* g = new QGroupBox(caption);
  g->setObjectName(name);
  auto* l = new QVBoxLayout(g);
  l->addWidget(content);
  return g;
}

}  // namespace

TJPEGCompressionForm::TJPEGCompressionForm(QWidget* parent) : QDialog(parent) {
  setObjectName("JPEGCompressionForm");
  setWindowTitle("JPEG Compression");

  CompressionBar = new QSlider(Qt::Horizontal);
  CompressionBar->setObjectName("CompressionBar");
  CompressionBar->setRange(0, 100);
  CompressionBar->setTickInterval(10);
  CompressionBar->setTickPosition(QSlider::TicksBelow);
  CompressionBar->setToolTip("Choose the trade-off between quality and compression you want.");
  CompressionBar->setValue(50);
  auto* compression = new QGroupBox("Compression:");
  compression->setObjectName("CompressionGroupBox");
  auto* barRow = new QHBoxLayout(compression);
  barRow->addWidget(new QLabel("Low Quality"));
  barRow->addWidget(CompressionBar, 1);
  barRow->addWidget(new QLabel("High Quality"));

  SizeLabel = new QLabel("0 Bytes");
  SizeLabel->setObjectName("SizeLabel");
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(new QLabel("Size:"));
  sizeRow->addWidget(SizeLabel, 1);

  ProgressiveEncodingCheckbox = new QCheckBox("Progressive Encoding");
  ProgressiveEncodingCheckbox->setObjectName("ProgressiveEncodingCheckbox");
  ProgressiveEncodingCheckbox->setChecked(true);
  ProgressiveEncodingCheckbox->setToolTip(
      "Image can be displayed progressively while decoding. Usually improves compression. ");
  auto* other = Group("OtherGroupBox", "Other Parameters:", ProgressiveEncodingCheckbox);

  PresetComboBox = new QComboBox;
  PresetComboBox->setObjectName("PresetComboBox");
  PresetComboBox->setPlaceholderText("Defaults for WWW,...");
  for (const auto& p : kPresets) PresetComboBox->addItem(p.Caption);
  PresetComboBox->setCurrentIndex(-1);

  auto [ok, cancel] = ui::OkCancelButtons(this);
  auto* previewButton = new QPushButton("Press me for the preview");
  previewButton->setObjectName("PreviewButton");

  ImagePane = new TPicturePane;
  ImagePane->setObjectName("ImagePane");
  PreviewPane = new TPicturePane;
  PreviewPane->setObjectName("PreviewPane");
  Stepper = std::make_unique<ui::TScrollStepper>(ImagePane, PreviewPane);

  OneToOneRadioButton = new QRadioButton("1:1");
  OneToOneRadioButton->setObjectName("OneToOneRadioButton");
  // Comparing pixel for pixel needs a preview first.
  OneToOneRadioButton->setEnabled(false);
  FullImageRadioButton = new QRadioButton("Display Full Image");
  FullImageRadioButton->setObjectName("FullImageRadioButton");
  FullImageRadioButton->setChecked(true);
  auto* zoom = new QGroupBox("Zoom Preview");
  zoom->setObjectName("ZoomGroupBox");
  auto* zoomLayout = new QHBoxLayout(zoom);
  zoomLayout->addWidget(OneToOneRadioButton);
  zoomLayout->addWidget(FullImageRadioButton);

  auto* controls = new QVBoxLayout;
  controls->addWidget(compression);
  controls->addLayout(sizeRow);
  controls->addWidget(other);
  controls->addWidget(PresetComboBox);
  controls->addWidget(zoom);
  controls->addWidget(previewButton);
  controls->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  controls->addLayout(buttons);

  auto* panes = new QHBoxLayout;
  panes->addWidget(Group("ImageGroupBox", "The Image", ImagePane), 1);
  panes->addWidget(Group("PreviewGroupBox", "Preview", PreviewPane), 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(controls);
  layout->addLayout(panes, 1);
  resize(900, 420);

  connect(previewButton, &QPushButton::clicked, this, [this] { MakePreview(); });
  connect(CompressionBar, &QSlider::valueChanged, this, [this] { BarMoved(); });
  connect(PresetComboBox, qOverload<int>(&QComboBox::activated), this,
          [this](int i) { ChoosePreset(i); });
  for (QRadioButton* b : {OneToOneRadioButton, FullImageRadioButton})
    connect(b, &QRadioButton::clicked, this, [this] { MakePreview(); });
}

void TJPEGCompressionForm::Prepare(const editor::TBitmap& bitmap) {
  Bitmap = bitmap;
  ImagePane->SetPicture(platform::ToQImage(Bitmap), FullImageRadioButton->isChecked());
  MakePreview();
}

bool TJPEGCompressionForm::Execute(const editor::TBitmap& bitmap) {
  Prepare(bitmap);
  return ui::ExecFromFirstInput(*this) == QDialog::Accepted;
}

int TJPEGCompressionForm::Quality() const {
  return CompressionBar->value();
}
bool TJPEGCompressionForm::Progressive() const {
  return ProgressiveEncodingCheckbox->isChecked();
}

void TJPEGCompressionForm::ChoosePreset(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kPresets))) return;
  CompressionBar->setValue(kPresets[index].Quality);
}

void TJPEGCompressionForm::MakePreview() {
  bool fitted = FullImageRadioButton->isChecked();
  ImagePane->SetFitted(fitted);
  try {
    auto preview = editor::MakeJpegPreview(Bitmap, Quality(), Progressive());
    SizeLabel->setText(QString::fromStdString(editor::SizeText(preview.FileSize)));
    PreviewPane->SetPicture(platform::ToQImage(preview.Decoded), fitted);
    OneToOneRadioButton->setEnabled(true);
  } catch (const std::exception& e) {
    // The preview is a help, not the save: its failure is shown in place.
    SizeLabel->setText(QString::fromStdString(editor::ErrorMessageFor(e)));
    PreviewPane->SetPicture(QImage(), fitted);
  }
}

void TJPEGCompressionForm::BarMoved() {
  // The preview no longer matches the bar: show both pictures unscaled
  // until the next preview.
  ImagePane->SetFitted(false);
  PreviewPane->SetFitted(false);
}

void TJPEGCompressionForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Stepper->Start();
}

void TJPEGCompressionForm::hideEvent(QHideEvent* event) {
  Stepper->Stop();
  QDialog::hideEvent(event);
}

}  // namespace lumarte::editor
