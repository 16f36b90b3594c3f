// The JPEG 2000 save dialog without a display, over the real plug-in.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>

#include "editor/ui/JPEG2000Form.h"

using namespace lumarte::imaging;

namespace {

class JPEG2000FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Codec.ScanFolder(LUMARTE_BINARY_DIR);
    Image.New(600, 500, pf24bit);
    for (int i = 0; i < Image.Size; ++i) Image.Map[i] = uint8_t(i * 13 / 7);
  }
  TImageDLLLoader Codec;
  TRevedBitmap Image;
};

// Nothing is chosen until the user asks; every rate change then chooses
// lossy compression.
TEST_F(JPEG2000FormTest, StartsLosslessAndEveryRateChangeChoosesLossy) {
  lumarte::editor::TJPEG2000Form form(Codec);
  EXPECT_TRUE(form.FullImage->isChecked());
  EXPECT_TRUE(form.Lossless->isChecked());
  EXPECT_EQ(form.RateLabel->text(), "5.0 %");
  EXPECT_EQ(Codec.Options, "");
  form.RateBar->setValue(53);
  EXPECT_TRUE(form.Lossy->isChecked());
  EXPECT_EQ(form.RateLabel->text(), "5.3 %");
  EXPECT_EQ(form.RateSpin->value(), 53);
  EXPECT_EQ(Codec.Options, "rate=0.053");
  form.Lossless->setChecked(true);
  EXPECT_EQ(Codec.Options, "");
  form.RateSpin->stepBy(-1);
  EXPECT_TRUE(form.Lossy->isChecked());
  EXPECT_EQ(form.RateBar->value(), 52);
  EXPECT_EQ(Codec.Options, "rate=0.052");
  form.RateSpin->setValue(0);
  EXPECT_EQ(form.RateLabel->text(), "0.0 %");
  EXPECT_EQ(Codec.Options, "rate=0.000");
}

TEST_F(JPEG2000FormTest, PreviewShowsTheRoundTripAndItsSize) {
  lumarte::editor::TJPEG2000Form form(Codec);
  form.Prepare(Image);
  const QString lossless = form.SizeLabel->text();
  ASSERT_TRUE(lossless.endsWith(" Bytes")) << lossless.toStdString();
  EXPECT_GT(lossless.split(' ')[0].toLongLong(), 0);
  EXPECT_FALSE(form.PreviewView->pixmap().isNull());
  form.SetRate(10);
  form.PreviewButton->click();
  EXPECT_LT(form.SizeLabel->text().split(' ')[0].toLongLong(), lossless.split(' ')[0].toLongLong());
  EXPECT_LE(form.SizeLabel->text().split(' ')[0].toLongLong(), 600 * 500 * 3 / 100 + 400);
}

// The whole image fitted or one to one, the two scroll boxes following
// each other.
TEST_F(JPEG2000FormTest, ZoomAndScrollBoxesFollowEachOther) {
  lumarte::editor::TJPEG2000Form form(Codec);
  form.resize(800, 600);
  form.Prepare(Image);
  QSize fitted = form.ImageView->pixmap().size();
  EXPECT_LE(fitted.width(), form.ImageBox->viewport()->width());
  EXPECT_LE(fitted.height(), form.ImageBox->viewport()->height());
  form.OneToOne->click();
  EXPECT_EQ(form.ImageView->pixmap().size(), QSize(600, 500));
  EXPECT_EQ(form.PreviewView->pixmap().size(), QSize(600, 500));
  form.show();
  form.ImageBox->horizontalScrollBar()->setValue(40);
  form.ImageBox->verticalScrollBar()->setValue(30);
  form.SyncScrollBoxes();
  EXPECT_EQ(form.PreviewBox->horizontalScrollBar()->value(), 40);
  EXPECT_EQ(form.PreviewBox->verticalScrollBar()->value(), 30);
  form.PreviewBox->verticalScrollBar()->setValue(70);
  form.SyncScrollBoxes();
  EXPECT_EQ(form.ImageBox->verticalScrollBar()->value(), 70);
  EXPECT_EQ(form.ImageBox->horizontalScrollBar()->value(), 40);
}

TEST_F(JPEG2000FormTest, WithoutACodecLibraryThePreviewSaysWhy) {
  TImageDLLLoader none;
  lumarte::editor::TJPEG2000Form form(none);
  form.Prepare(Image);
  EXPECT_EQ(form.SizeLabel->text(), "Unsupported file format");
  EXPECT_TRUE(form.PreviewView->pixmap().isNull());
}

}  // namespace
