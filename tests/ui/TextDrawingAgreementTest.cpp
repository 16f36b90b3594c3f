// The command line's FreeType text drawing against the window's QPainter
// drawing: the same text lands in the same place with the same metrics (the
// alignment of lines by these metrics is tested in WriteTextTest).
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/TextDrawing.h"
#include "support/EffectRun.h"
#include "platform/freetype/FreeTypeText.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

using lumarte::fixtures::Filled;

namespace {

struct TInk {
  int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1, Count = 0;
};

// Pixels at least half way from white to black.
bool Dark(const TBitmap& b, int x, int y) {
  return GreenOf(b.Pixel(x, y)) < 128;
}

TInk InkOf(const TBitmap& b) {
  TInk ink;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (Dark(b, x, y)) {
        ink.Left = std::min(ink.Left, x), ink.Right = std::max(ink.Right, x);
        ink.Top = std::min(ink.Top, y), ink.Bottom = std::max(ink.Bottom, y);
        ++ink.Count;
      }
  return ink;
}

struct TextCase {
  const char* font;
  const char* text;
  int size;
  bool bold, italic;
};
class TextDrawingAgreement : public ::testing::TestWithParam<TextCase> {
 protected:
  WriteParams Params() const {
    WriteParams p;
    p.Font = GetParam().font, p.Size = GetParam().size;
    p.Bold = GetParam().bold, p.Italic = GetParam().italic;
    return p;
  }
};

}  // namespace

TEST_P(TextDrawingAgreement, InkAndMetricsMatchTheWindow) {
  auto qt = lumarte::platform::MakeQtTextRenderer(Params());
  auto ft = lumarte::platform::MakeFreeTypeTextRenderer(Params());
  const std::string text = GetParam().text;
  EXPECT_NEAR(ft->Width(text), qt->Width(text), 1);
  EXPECT_EQ(ft->LineHeight(), qt->LineHeight());
  TBitmap a = Filled(600, 200, clWhite), b = Filled(600, 200, clWhite);
  qt->Draw(a, 13, 9, text, clBlack);
  ft->Draw(b, 13, 9, text, clBlack);
  const TInk ia = InkOf(a), ib = InkOf(b);
  EXPECT_NEAR(ib.Left, ia.Left, 2);
  EXPECT_NEAR(ib.Right, ia.Right, 2);
  EXPECT_NEAR(ib.Top, ia.Top, 2);
  EXPECT_NEAR(ib.Bottom, ia.Bottom, 2);
  int both = 0, either = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      both += Dark(a, x, y) && Dark(b, x, y);
      either += Dark(a, x, y) || Dark(b, x, y);
    }
  ASSERT_GT(either, 20);
  EXPECT_GT(static_cast<double>(both) / either, 0.7) << both << " of " << either;
}

// Both drawings keep their ink inside the measured box for upright text
// without marks above the capitals (slanted and accented glyphs reach past
// the measure).
class TextBox : public TextDrawingAgreement {};

TEST_P(TextBox, InkStaysInsideTheMeasuredBox) {
  const std::string text = GetParam().text;
  for (bool freeType : {false, true}) {
    auto r = freeType ? lumarte::platform::MakeFreeTypeTextRenderer(Params())
                      : lumarte::platform::MakeQtTextRenderer(Params());
    TBitmap image = Filled(600, 200, clWhite);
    const int x = 17, y = 11;
    r->Draw(image, x, y, text, clBlack);
    const TInk ink = InkOf(image);
    SCOPED_TRACE(freeType ? "FreeType" : "Qt");
    EXPECT_GT(ink.Count, 10);
    EXPECT_GE(ink.Left, x);
    EXPECT_LE(ink.Right, x + r->Width(text));
    EXPECT_GE(ink.Top, y);
    EXPECT_LT(ink.Bottom, y + r->LineHeight());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextDrawingAgreement,
    ::testing::Values(TextCase{"DejaVu Sans", "Hello", 24, false, false},
                      TextCase{"DejaVu Sans", "Hg|AVWo", 12, false, false},
                      TextCase{"DejaVu Sans", "Bold Text", 30, true, false},
                      TextCase{"DejaVu Serif", "\xc3\x84pfel italic", 18, false, true},
                      TextCase{"DejaVu Sans Mono", "mono 123", 9, false, false}));

INSTANTIATE_TEST_SUITE_P(Texts, TextBox,
                         ::testing::Values(TextCase{"DejaVu Sans", "Hg|W", 12, false, false},
                                           TextCase{"DejaVu Sans", "Hjyg", 30, true, false},
                                           TextCase{"DejaVu Serif", "fly Away", 8, false, false},
                                           TextCase{"DejaVu Sans", "\xc3\x84pfel", 8, false, false}));
