#include "editor/ui/JPEG2000Form.h"

#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "imaging/JPEG2000Options.h"
#include "platform/RevedImage.h"

namespace lumarte::editor {

namespace {

QScrollArea* MakeScrollBox(QLabel*& view) {
  auto* box = new QScrollArea;
  view = new QLabel;
  view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  box->setWidget(view);
  box->setMinimumSize(240, 200);
  return box;
}

QGroupBox* GroupAround(const char* name, const QString& title, QWidget* content) {
  auto* group = new QGroupBox(title);
  group->setObjectName(name);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(content);
  return group;
}

}  // namespace

TJPEG2000Form::TJPEG2000Form(imaging::TImageDLLLoader& codec, QWidget* parent)
    : QDialog(parent), Codec(codec) {
  // Object names are the component names a language file uses.
  setObjectName("JPEG2000Form");
  setWindowTitle(QStringLiteral("JPEG2000Form"));
  auto* images = new QHBoxLayout;
  ImageBox = MakeScrollBox(ImageView);
  PreviewBox = MakeScrollBox(PreviewView);
  images->addWidget(GroupAround("ImageGroupBox", QStringLiteral("The Image"), ImageBox));
  images->addWidget(GroupAround("PreviewGroupBox", QStringLiteral("Preview"), PreviewBox));

  OkButton = new QPushButton(QStringLiteral("OK"));
  OkButton->setObjectName("OKButton");
  OkButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("Cancel"));
  CancelButton->setObjectName("CancelButton");
  PreviewButton = new QPushButton(QStringLiteral("Press me for the preview"));
  PreviewButton->setObjectName("PreviewButton");
  auto* controls = new QHBoxLayout;
  controls->addWidget(BuildZoomGroup());
  controls->addWidget(BuildCompressionGroup());
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(PreviewButton);
  buttons->addStretch();
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);
  controls->addLayout(buttons);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(images, 1);
  layout->addLayout(controls);

  ScrollTimer = new QTimer(this);
  ScrollTimer->setInterval(100);
  connect(ScrollTimer, &QTimer::timeout, this, &TJPEG2000Form::SyncScrollBoxes);
  connect(PreviewButton, &QPushButton::clicked, this, &TJPEG2000Form::MakePreview);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  ApplyOptions();
}

QGroupBox* TJPEG2000Form::BuildZoomGroup() {
  auto* group = new QGroupBox(QStringLiteral("Zoom Preview"));
  group->setObjectName("ZoomGroupBox");
  OneToOne = new QRadioButton(QStringLiteral("1:1"));
  OneToOne->setObjectName("OneToOneButton");
  FullImage = new QRadioButton(QStringLiteral("Display Full Image"));
  FullImage->setObjectName("FullImageButton");
  FullImage->setChecked(true);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(OneToOne);
  layout->addWidget(FullImage);
  for (QRadioButton* zoom : {OneToOne, FullImage})
    connect(zoom, &QRadioButton::clicked, this, &TJPEG2000Form::MakePreview);
  return group;
}

QGroupBox* TJPEG2000Form::BuildCompressionGroup() {
  auto* group = new QGroupBox(QStringLiteral("Compression:"));
  group->setObjectName("CompressionGroupBox");
  Lossless = new QRadioButton(QStringLiteral("lossless compression"));
  Lossless->setObjectName("LosslessButton");
  Lossless->setChecked(true);
  Lossy = new QRadioButton(QStringLiteral("lossy compression"));
  Lossy->setObjectName("LossyButton");
  RateBar = new QSlider(Qt::Horizontal);
  RateBar->setRange(1, imaging::kJpeg2000MaxRate);
  RateBar->setTickInterval(5);
  RateBar->setTickPosition(QSlider::TicksBelow);
  RateSpin = new QSpinBox;
  RateSpin->setRange(imaging::kJpeg2000MinRate, imaging::kJpeg2000MaxRate);
  RateLabel = new QLabel;
  SizeLabel = new QLabel(QStringLiteral("0 Bytes"));
  // The initial rate is shown without choosing lossy compression.
  RateBar->setValue(RateValue);
  RateSpin->setValue(RateValue);
  RateLabel->setText(QString::fromStdString(imaging::Jpeg2000RateText(RateValue)));

  auto* rateRow = new QHBoxLayout;
  rateRow->addWidget(RateBar, 1);
  rateRow->addWidget(RateSpin);
  auto* labels = new QHBoxLayout;
  auto* rateTitle = new QLabel(QStringLiteral("Rate:"));
  rateTitle->setObjectName("RateTitleLabel");
  labels->addWidget(rateTitle);
  labels->addWidget(RateLabel);
  labels->addStretch();
  auto* sizeTitle = new QLabel(QStringLiteral("Size:"));
  sizeTitle->setObjectName("SizeTitleLabel");
  labels->addWidget(sizeTitle);
  labels->addWidget(SizeLabel);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(Lossless);
  layout->addWidget(Lossy);
  layout->addLayout(rateRow);
  layout->addLayout(labels);

  connect(RateBar, &QSlider::valueChanged, this, &TJPEG2000Form::SetRate);
  connect(RateSpin, &QSpinBox::valueChanged, this, &TJPEG2000Form::SetRate);
  for (QRadioButton* mode : {Lossless, Lossy})
    connect(mode, &QRadioButton::toggled, this, [this] { ApplyOptions(); });
  return group;
}

void TJPEG2000Form::SetRate(int rate) {
  RateValue = std::clamp(rate, imaging::kJpeg2000MinRate, imaging::kJpeg2000MaxRate);
  QSignalBlocker blockBar(RateBar), blockSpin(RateSpin);
  RateBar->setValue(std::max(RateValue, RateBar->minimum()));
  RateSpin->setValue(RateValue);
  RateLabel->setText(QString::fromStdString(imaging::Jpeg2000RateText(RateValue)));
  Lossy->setChecked(true);
  ApplyOptions();
}

void TJPEG2000Form::ApplyOptions() {
  Codec.Options = imaging::Jpeg2000OptionsText(Lossy->isChecked(), RateValue);
}

void TJPEG2000Form::Prepare(const imaging::TRevedBitmap& image) {
  Image.Assign(image);
  ImagePicture = platform::QImageOf(Image);
  ApplyOptions();
  MakePreview();
}

bool TJPEG2000Form::Execute(const imaging::TRevedBitmap& image) {
  Prepare(image);
  ScrollTimer->start();
  const bool ok = exec() == QDialog::Accepted;
  ScrollTimer->stop();
  return ok;
}

void TJPEG2000Form::MakePreview() {
  ApplyOptions();
  try {
    imaging::TJpeg2000Preview preview = MakeJpeg2000Preview(Image, Codec);
    SizeLabel->setText(QString::number(preview.FileSize) + QStringLiteral(" Bytes"));
    PreviewPicture = platform::QImageOf(preview.Image);
  } catch (const ELumarteBase& e) {
    // No codec library, or it failed: say so where the size would be.
    SizeLabel->setText(QString::fromUtf8(e.what()));
    PreviewPicture = QImage();
  }
  ShowViews();
}

void TJPEG2000Form::ShowViews() {
  const bool full = FullImage->isChecked();
  auto show = [full](QLabel* view, QScrollArea* box, const QImage& picture) {
    QImage shown = picture;
    if (full && !picture.isNull())
      shown = picture.scaled(box->viewport()->size(), Qt::KeepAspectRatio, Qt::FastTransformation);
    view->setPixmap(QPixmap::fromImage(shown));
    view->resize(shown.size());
  };
  show(ImageView, ImageBox, ImagePicture);
  show(PreviewView, PreviewBox, PreviewPicture);
  RememberScrollPositions();
}

void TJPEG2000Form::RememberScrollPositions() {
  LastPositions[0] = ImageBox->horizontalScrollBar()->value();
  LastPositions[1] = ImageBox->verticalScrollBar()->value();
  LastPositions[2] = PreviewBox->horizontalScrollBar()->value();
  LastPositions[3] = PreviewBox->verticalScrollBar()->value();
}

void TJPEG2000Form::SyncScrollBoxes() {
  QScrollBar* bars[4] = {ImageBox->horizontalScrollBar(), ImageBox->verticalScrollBar(),
                         PreviewBox->horizontalScrollBar(), PreviewBox->verticalScrollBar()};
  const bool imageMoved =
      bars[0]->value() != LastPositions[0] || bars[1]->value() != LastPositions[1];
  const bool previewMoved =
      bars[2]->value() != LastPositions[2] || bars[3]->value() != LastPositions[3];
  if (imageMoved) {
    bars[2]->setValue(bars[0]->value());
    bars[3]->setValue(bars[1]->value());
  } else if (previewMoved) {
    bars[0]->setValue(bars[2]->value());
    bars[1]->setValue(bars[3]->value());
  }
  RememberScrollPositions();
}

}  // namespace lumarte::editor
