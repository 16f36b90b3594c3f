// "Paste Insert" on a document: the clipboard's picture at the anchor,
// undo, and an empty clipboard reported without a change.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSpinBox>

#include "editor/model/DocumentList.h"
#include "effects/ui/EffectForms.h"
#include "platform/Clipboard.h"
#include "platform/RasterImage.h"
#include "support/QuietDocumentHost.h"
#include "ui/ErrorHandler.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

TBitmap Flat(int w, int h, TColor c) {
  TBitmap b(w, h);
  b.BrushColor = c;
  b.FillRect(0, 0, w, h);
  return b;
}

// What other programs put there: only the encoded file.
class ForeignClipboard : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(ForeignClipboard, EncodedPicturesArePasted) {
  const QImage picture = platform::ToQImage(Flat(5, 3, RGBColor(0, 128, 255)));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(picture.save(&buffer, GetParam()));
  auto* data = new QMimeData;
  data->setData(QString("image/") + GetParam(), bytes);
  QGuiApplication::clipboard()->setMimeData(data);
  std::optional<TBitmap> got = platform::ClipboardPicture();
  ASSERT_TRUE(got.has_value());
  ASSERT_EQ(got->Width(), 5);
  const TColor c = got->Pixel(2, 1);
  EXPECT_NEAR(c & 0xFF, 0, 3);
  EXPECT_NEAR(c >> 8 & 0xFF, 128, 3);
  EXPECT_NEAR(c >> 16 & 0xFF, 255, 3);
}

INSTANTIATE_TEST_SUITE_P(Formats, ForeignClipboard, ::testing::Values("png", "bmp", "jpeg"));

TEST(PasteInsertForm, PastesAtTheAnchorAndRefusesAnEmptyClipboard) {
  QuietHost host;
  DocumentList docs{host};
  docs.NewImage(10, 8);
  *docs.Current().Bitmap = Flat(10, 8, clBlack);
  auto form = CreateEffectForm(*FindEffect("paste-insert"), docs, nullptr);
  EXPECT_FALSE(form->findChild<QCheckBox*>("PITCICheckBox1")->isEnabled());
  platform::SetClipboardPicture(Flat(3, 2, RGBColor(200, 100, 40)));
  form->Session.LastPressed = {8, 7};
  form->show();
  EXPECT_EQ(form->findChild<QSpinBox*>("XSpinEdit")->value(), 8);
  EXPECT_EQ(form->findChild<QSpinBox*>("YSpinEdit")->maximum(), 8);
  form->SetValue("mix", 1);
  form->PreviewButtonClick();
  EXPECT_EQ(docs.DisplayedRaster().Pixel(9, 7), RGBColor(100, 50, 20));
  EXPECT_EQ(docs.DisplayedRaster().Pixel(7, 7), clBlack);
  form->OKButtonClick();
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
  docs.LMUndo1Click();
  EXPECT_EQ(*docs.Current().Bitmap, Flat(10, 8, clBlack));

  std::string shown;
  auto& handler = ui::ApplicationErrorHandler();
  auto keep = handler.ShowMessage;
  handler.ShowMessage = [&](const std::string& m) { shown = m; };
  QGuiApplication::clipboard()->setText("words, no picture");
  form->show();
  form->OKButtonClick();
  handler.ShowMessage = keep;
  EXPECT_EQ(shown, "Nothing on Clipboard!");
  EXPECT_EQ(docs.Current().UndoDepth(), 0);
  form->CancelButtonClick();
}
