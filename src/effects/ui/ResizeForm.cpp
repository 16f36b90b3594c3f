#include "effects/ui/ResizeForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ErrorHandler.h"
#include "effects/model/Transforms.h"

namespace lumarte::effects {

namespace {

QLineEdit* Field(const char* name, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  return e;
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

// A whole number of pixels, or -1.
int Pixels(const QLineEdit* e) {
  bool ok = false;
  int v = e->text().trimmed().toInt(&ok);
  return ok ? v : -1;
}

}  // namespace

TResizeForm::TResizeForm(editor::DocumentList& documents, std::function<QSize()> displaySize,
                         QWidget* parent)
    : QDialog(parent), Docs(documents), DisplaySize(std::move(displaySize)) {
  setObjectName("TResizeForm");
  setWindowTitle("Resize");
  auto* grid = new QGridLayout;
  WidthEdit = Field("WidthEdit", this);
  HeightEdit = Field("HeightEdit", this);
  WidthPercent = Field("WidthPercent", this);
  HeightPercent = Field("HeightPercent", this);
  grid->addWidget(new QLabel("Width", this), 0, 0);
  grid->addWidget(WidthEdit, 0, 1);
  grid->addWidget(WidthPercent, 0, 2);
  grid->addWidget(new QLabel("%", this), 0, 3);
  grid->addWidget(new QLabel("Height", this), 1, 0);
  grid->addWidget(HeightEdit, 1, 1);
  grid->addWidget(HeightPercent, 1, 2);
  grid->addWidget(new QLabel("%", this), 1, 3);
  RSUseWidth = Button("RSUseWidth", "Maintain Ratio, use Width", this);
  RSUseHeight = Button("RSUseHeight", "Maintain Ratio, use Height", this);
  RSResize = Button("RSResize", "Resize, use Height and Width", this);
  RSCancelButton1 = Button("RSCancelButton1", "Cancel", this);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(grid);
  for (auto* b : {RSUseWidth, RSUseHeight, RSResize, RSCancelButton1}) outer->addWidget(b);

  auto guarded = [](std::function<void()> f) { return [f] { ui::RunGuarded(f); }; };
  connect(RSUseWidth, &QPushButton::clicked, this, guarded([this] { RSUseWidthClick(); }));
  connect(RSUseHeight, &QPushButton::clicked, this, guarded([this] { RSUseHeightClick(); }));
  connect(RSResize, &QPushButton::clicked, this, guarded([this] { RSResizeClick(); }));
  connect(RSCancelButton1, &QPushButton::clicked, this, &QDialog::reject);
  ConnectPair(WidthEdit, WidthPercent, false);
  ConnectPair(HeightEdit, HeightPercent, true);
}

// Typing in or leaving a field updates its partner.
void TResizeForm::ConnectPair(QLineEdit* pixels, QLineEdit* percent, bool height) {
  auto size = [this, height] { return height ? ImageHeight() : ImageWidth(); };
  auto fromPixels = [=, this] { PixelsChanged(pixels, percent, size()); };
  auto fromPercent = [=, this] { PercentChanged(percent, pixels, size()); };
  connect(pixels, &QLineEdit::textEdited, this, fromPixels);
  connect(pixels, &QLineEdit::editingFinished, this, fromPixels);
  connect(percent, &QLineEdit::textEdited, this, fromPercent);
  connect(percent, &QLineEdit::editingFinished, this, fromPercent);
}

int TResizeForm::ImageWidth() const {
  return Docs.Current().Bitmap->Width();
}
int TResizeForm::ImageHeight() const {
  return Docs.Current().Bitmap->Height();
}

void TResizeForm::showEvent(QShowEvent* e) {
  WidthEdit->setText(QString::number(ImageWidth()));
  HeightEdit->setText(QString::number(ImageHeight()));
  WidthPercent->setText("100");
  HeightPercent->setText("100");
  QDialog::showEvent(e);
}

void TResizeForm::PixelsChanged(QLineEdit* pixels, QLineEdit* percent, int imageSize) {
  const int v = Pixels(pixels);
  if (v >= 0) percent->setText(QString::fromStdString(PercentText(v, imageSize)));
}

void TResizeForm::PercentChanged(QLineEdit* percent, QLineEdit* pixels, int imageSize) {
  if (auto v = PixelsFromPercent(percent->text().trimmed().toStdString(), imageSize))
    pixels->setText(QString::number(*v));
}

void TResizeForm::RSUseWidthClick() {
  const QSize display = DisplaySize();
  const int w = Pixels(WidthEdit);
  if (w < 1) return;
  HeightEdit->setText(QString::number(RatioSide(w, display.width(), display.height())));
  PixelsChanged(HeightEdit, HeightPercent, ImageHeight());
  RSResizeClick();
}

void TResizeForm::RSUseHeightClick() {
  const QSize display = DisplaySize();
  const int h = Pixels(HeightEdit);
  if (h < 1) return;
  WidthEdit->setText(QString::number(RatioSide(h, display.height(), display.width())));
  PixelsChanged(WidthEdit, WidthPercent, ImageWidth());
  RSResizeClick();
}

void TResizeForm::RSResizeClick() {
  if (ResizeDocument(Docs, Pixels(WidthEdit), Pixels(HeightEdit))) accept();
}

}  // namespace lumarte::effects
