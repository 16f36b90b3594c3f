#include <gtest/gtest.h>

#include <string>

#include "effects/model/BitmapFont.h"
#include "effects/model/EffectTable.h"
#include "effects/model/InsertEffects.h"
#include "imaging/Errors.h"
#include "support/EffectRun.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
using lumarte::fixtures::EffectScene;

namespace {

// Ten pixels per character, lines 7 high; remembers where each line went.
class FakeRenderer : public TTextRenderer {
 public:
  std::vector<std::pair<int, int>> At;
  int Width(const std::string& line) override { return 10 * static_cast<int>(line.size()); }
  int LineHeight() override { return 7; }
  void Draw(TBitmap&, int x, int y, const std::string&, TColor) override { At.push_back({x, y}); }
};

struct LayoutCase {
  std::vector<std::string> lines;
  TextAlignment align;
  std::vector<std::pair<int, int>> at;
};
class TextLayout : public ::testing::TestWithParam<LayoutCase> {};

// A table of 228 lines: code 30 at columns 0..1, code 31 at 2..13, codes
// 32..254 empty at 14, code 255 from 14 to the strip's end.
std::string TinyTable() {
  std::string t = "0\n0\n0\n2\n";
  for (int n = 4; n < kGlyphTableLines; ++n) t += "14\n";
  return t;
}

// 20 x 3: code 31 inked in row 1 over columns 2..9, code 255 inked whole.
TBitmapFont TinyFont() {
  TBitmap strip(20, 3);
  strip.BrushColor = clWhite;
  strip.FillRect(0, 0, 20, 3);
  for (int x = 2; x <= 9; ++x) strip.SetPixel(x, 1, clBlack);
  for (int x = 14; x < 20; ++x)
    for (int y = 0; y < 3; ++y) strip.SetPixel(x, y, clBlack);
  return MakeBitmapFont(strip, TinyTable());
}

int Inked(const TBitmap& b, TColor c) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) == c;
  return n;
}

}  // namespace

TEST_P(TextLayout, AlignsOnTheWidestLine) {
  TBitmap image(200, 100);
  const EffectScene scene(image);
  FakeRenderer r;
  WriteParams p;
  p.Left = 5, p.Top = 3, p.Alignment = GetParam().align;
  WriteText(scene.Input, GetParam().lines, p, r);
  EXPECT_EQ(r.At, GetParam().at);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TextLayout,
    ::testing::Values(LayoutCase{{"abc"}, TextAlignment::Right, {{5, 3}}},
                      LayoutCase{{"a", "abcd"}, TextAlignment::Center, {{20, 3}, {5, 11}}},
                      LayoutCase{
                          {"ab", "abcde", ""}, TextAlignment::Right, {{35, 3}, {5, 11}, {55, 19}}},
                      LayoutCase{{"ab", "abcde"}, TextAlignment::Left, {{5, 3}, {5, 11}}}));

// Every kind of line end splits; UTF-8 becomes Latin-1 codes, "?" for the rest.
TEST(TextLayout, LineEndsAndLatin1Codes) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines(""), (std::vector<std::string>{""}));
  EXPECT_EQ(Latin1Codes("A\xc3\xa9\xe2\x82\xac\xff"), (std::vector<int>{'A', 0xE9, '?', '?'}));
}

TEST(BitmapFont, GlyphArithmeticOnAHandMadeStrip) {
  const TBitmapFont font = TinyFont();
  auto span = [&](int c) {
    TGlyphSpan s = GlyphColumns(font, c);
    return std::pair{s.X0, s.X1};
  };
  EXPECT_EQ(span(30), std::pair(0, 1));
  EXPECT_EQ(span(31), std::pair(2, 13));
  EXPECT_EQ(span(32), std::pair(14, 13));
  EXPECT_EQ(span(255), std::pair(14, 19));
  const TGlyphSpan cut = CutTrailingBlank(font, GlyphColumns(font, 31));
  EXPECT_EQ(std::pair(cut.X0, cut.X1), std::pair(2, 9)) << "five columns examined, four blank";
  const TGlyphSpan whole = CutTrailingBlank(font, GlyphColumns(font, 255));
  EXPECT_EQ(whole.X1, 19);

  // 4 points at 72 ppi: line height 5; widths 5 * columns / 2 + 1, uncut.
  TBitmapTextRenderer r(font, 4, 72, false);
  EXPECT_EQ(r.LineHeight(), 5);
  EXPECT_EQ(r.Width("\x1f"), 31);
  EXPECT_EQ(r.Width("\xc3\xbf"), 16);

  TBitmap image(40, 10);
  image.BrushColor = clWhite;
  image.FillRect(0, 0, 40, 10);
  const TColor red = RGBColor(255, 0, 0);
  r.Draw(image, 1, 1, "\xc3\xbf", red);  // box 15 + 1 wide, 5 + 1 high, all ink
  EXPECT_EQ(Inked(image, red), 16 * 6);
  EXPECT_EQ(image.Pixel(16, 6), red);
  EXPECT_EQ(image.Pixel(17, 6), clWhite);

  image.FillRect(0, 0, 40, 10);
  r.Draw(image, 0, 0, "\x1f\xc3\xbf", red);
  // Code 31's cut box is 20 + 1 wide; strip row 1 covers box rows 2 and 3.
  for (int x = 0; x <= 20; ++x) EXPECT_EQ(image.Pixel(x, 2), red) << x;
  EXPECT_EQ(image.Pixel(5, 1), clWhite);
  EXPECT_EQ(image.Pixel(5, 4), clWhite);
  EXPECT_EQ(image.Pixel(21, 0), red) << "the next glyph starts one column right of the box";
  EXPECT_EQ(image.Pixel(20, 0), clWhite);
}

// Broken tables are refused with a message, never read past.
class BadGlyphTable : public ::testing::TestWithParam<std::string> {};

TEST_P(BadGlyphTable, IsRefused) {
  EXPECT_THROW(ParseGlyphTable(GetParam(), 20), ELumarteError);
}

INSTANTIATE_TEST_SUITE_P(Tables, BadGlyphTable,
                         ::testing::Values("", "0\n0\n0\n2\n", TinyTable() + "x\n",
                                           "0\n0\n0\n21\n" + TinyTable().substr(8),
                                           "0\n0\n0\n15\n" + TinyTable().substr(8),
                                           "0\n0\n0\n-1\n" + TinyTable().substr(8),
                                           "0\n0\n0\n99999999999\n" + TinyTable().substr(8)));

TEST(BitmapFont, TableWithCarriageReturnsAndSpaces) {
  std::string t;
  for (char c : TinyTable()) t += c == '\n' ? std::string(" \r\n") : std::string(1, c);
  EXPECT_EQ(ParseGlyphTable(t, 20), ParseGlyphTable(TinyTable(), 20));
}

// The shipped fonts: every printable character has ink in its columns, and
// the strips grow with the font number.
class ShippedFont : public ::testing::TestWithParam<int> {};

TEST_P(ShippedFont, TableMatchesTheStrip) {
  const TBitmapFont font = LoadBitmapFont(std::string(LUMARTE_BINARY_DIR) + "/", GetParam());
  for (int c = 31; c <= 255; ++c) {
    const TGlyphSpan s = GlyphColumns(font, c);
    ASSERT_LE(s.X0, s.X1 + 1) << c;
    const bool printable = (c > 32 && c < 127) || (c >= 192 && c <= 255);
    if (!printable) continue;
    bool ink = false;
    for (int x = s.X0; x <= s.X1 && !ink; ++x)
      for (int y = 0; y < font.Height && !ink; ++y) ink = font.InkAt(x, y);
    EXPECT_TRUE(ink) << "code " << c;
  }
  if (GetParam() > 1) {
    const TBitmapFont smaller =
        LoadBitmapFont(std::string(LUMARTE_BINARY_DIR) + "/", GetParam() - 1);
    EXPECT_GT(font.Height, smaller.Height);
  }
}

INSTANTIATE_TEST_SUITE_P(Fonts, ShippedFont, ::testing::Values(1, 2, 3, 4));

TEST(BitmapFont, SizeChoosesTheFont) {
  const std::pair<int, int> cases[] = {{6, 0},  {7, 0},  {8, 1},  {13, 1},
                                       {14, 2}, {23, 2}, {24, 3}, {512, 3}};
  for (auto [points, font] : cases) EXPECT_EQ(BitmapFontForSize(points), font) << points;
}
