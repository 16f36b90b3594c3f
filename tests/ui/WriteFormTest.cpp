// "Write" on a document: the memo, the font chooser, the anchor on show,
// preview, OK and undo; and Qt's text drawing staying inside its measure.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "editor/model/DocumentList.h"
#include "editor/model/ProgramState.h"
#include "effects/ui/EffectForms.h"
#include "effects/ui/InsertForms.h"
#include "platform/TextDrawing.h"
#include "support/EffectRun.h"
#include "support/QuietDocumentHost.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

using lumarte::fixtures::Filled;

namespace {

struct BoxCase {
  const char* text;
  int size;
  bool bold;
};
class QtTextBox : public ::testing::TestWithParam<BoxCase> {};

}  // namespace

TEST_P(QtTextBox, InkLandsInsideTheMeasuredBox) {
  WriteParams p;
  p.Size = GetParam().size;
  p.Bold = GetParam().bold;
  auto r = lumarte::platform::MakeQtTextRenderer(p);
  TBitmap image = Filled(400, 200, clWhite);
  const int x = 17, y = 11, w = r->Width(GetParam().text), h = r->LineHeight();
  r->Draw(image, x, y, GetParam().text, clBlack);
  int inked = 0;
  for (int py = 0; py < image.Height(); ++py)
    for (int px = 0; px < image.Width(); ++px) {
      if (image.Pixel(px, py) == clWhite) continue;
      ++inked;
      EXPECT_TRUE(px >= x && px <= x + w && py >= y && py < y + h) << px << "," << py;
    }
  EXPECT_GT(inked, 10);
}

INSTANTIATE_TEST_SUITE_P(Texts, QtTextBox,
                         ::testing::Values(BoxCase{"Hg|W", 12, false}, BoxCase{"Hjyg", 30, true},
                                           BoxCase{"\xc3\x84pfel", 8, false}));

class WriteFormTest : public ::testing::Test {
 protected:
  QuietHost host;
  DocumentList docs{host};
  void SetUp() override {
    docs.NewImage(120, 80);
    *docs.Current().Bitmap = Filled(120, 80, clWhite);
    ProgramState().Colours = TColorSet();
    ProgramState().Colours.FG = TColorEntry::FromRGB(0, 0, 12);  // "very dark"
  }
};

TEST_F(WriteFormTest, AnchorMemoPreviewApplyUndo) {
  auto form = CreateEffectForm(*FindEffect("write"), docs, nullptr);
  EXPECT_EQ(form->windowTitle(), "Write");
  SetWriteFontChooser([](const QFont& start, QWidget*) -> std::optional<QFont> {
    QFont f = start;
    f.setPointSize(20);
    f.setBold(true);
    return f;
  });
  form->findChild<QPushButton*>("WRFontButton")->click();
  EXPECT_EQ(form->findChild<QSpinBox*>("FontSizeSpinEdit")->value(), 20);
  form->Session.LastPressed = {30, 25};
  form->show();
  EXPECT_EQ(form->findChild<QSpinBox*>("SpinEdit1")->value(), 30);
  EXPECT_EQ(form->findChild<QSpinBox*>("SpinEdit2")->maximum(), 80);
  auto* memo = form->findChild<QPlainTextEdit*>("Memo1");
  EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(Qt::white)) << "dark text on white";
  memo->setPlainText("Hi\nthere");

  const TBitmap before = *docs.Current().Bitmap;
  form->PreviewButtonClick();
  const TBitmap preview = docs.DisplayedRaster();
  int blue = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x)
      if (preview.Pixel(x, y) != clWhite) {
        ++blue;
        ASSERT_GE(x, 30);
        ASSERT_GE(y, 25);
      }
  EXPECT_GT(blue, 20);
  form->OKButtonClick();
  EXPECT_EQ(*docs.Current().Bitmap, preview);
  docs.LMUndo1Click();
  EXPECT_EQ(*docs.Current().Bitmap, before);
}

TEST_F(WriteFormTest, LightColourShowsOnBlack) {
  ProgramState().Colours.FG = TColorEntry::FromRGB(0x10, 0x00, 0x00);
  auto form = CreateEffectForm(*FindEffect("write"), docs, nullptr);
  form->show();
  EXPECT_EQ(form->findChild<QPlainTextEdit*>("Memo1")->palette().color(QPalette::Base),
            QColor(Qt::black));
}
