#pragma once
// The Write effect's built-in bitmap fonts: a glyph strip (black ink on a
// light ground, codes 30 to 255 side by side) and its table of columns.
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/Bitmap.h"
#include "effects/model/TextRenderer.h"

namespace lumarte::effects {

constexpr int kFirstGlyph = 30, kLastGlyph = 255;
// Table lines 0..227: line n is where code n + 28 starts (lines 0..2 unused).
constexpr int kGlyphTableLines = kLastGlyph - 28 + 1;

struct TBitmapFont {
  int Width = 0, Height = 0;  // the strip's size
  std::vector<uint8_t> Ink;   // per strip pixel, rows top to bottom
  std::vector<int> Table;
  bool InkAt(int x, int y) const { return Ink[static_cast<size_t>(y) * Width + x] != 0; }
};

// Decimal numbers one per line (spaces and a final line end allowed). The
// columns of codes 31..255 must not fall and must lie within the strip.
// Raises ELumarteError naming the fault.
std::vector<int> ParseGlyphTable(std::string_view text, int stripWidth);
// A font from a strip raster (black pixels are ink) and its table's text.
TBitmapFont MakeBitmapFont(const editor::TBitmap& strip, std::string_view table);
// "NN.bmp" with "NN.fnt" from a folder; n is 1..4.
TBitmapFont LoadBitmapFont(const std::string& folder, int n);
// The four fonts from the program's folder, loaded on first use.
const std::array<TBitmapFont, 4>& ProgramBitmapFonts();

// Strip columns X0..X1 of a glyph; X1 < X0 when it has none.
struct TGlyphSpan {
  int X0, X1;
};
TGlyphSpan GlyphColumns(const TBitmapFont& font, int code);
// The span without its blank columns on the right (when there are more
// than two and the glyph stays wider than them).
TGlyphSpan CutTrailingBlank(const TBitmapFont& font, TGlyphSpan span);
// Which of the four fonts a size in points takes (0..3).
int BitmapFontForSize(int points);

// Draws with one bitmap font scaled to a line height of
// round(points * ppi / 72) + 1. Bold and font 1 also fill blank samples
// with two or three inked neighbours.
class TBitmapTextRenderer : public TTextRenderer {
 public:
  TBitmapTextRenderer(const TBitmapFont& font, int points, int ppi, bool thicken);
  int Width(const std::string& line) override;
  int LineHeight() override { return H; }
  void Draw(editor::TBitmap& target, int x, int y, const std::string& line,
            editor::TColor colour) override;

 private:
  // Draws one glyph with its box's top-left at (x, y); gives its box width.
  int DrawGlyph(editor::TBitmap& target, int x, int y, int code, editor::TColor colour) const;
  bool Thickens(TGlyphSpan span, int col, int row) const;
  const TBitmapFont& Font;
  int H;
  bool Thicken;
};

// The characters of a UTF-8 line as codes 0..255; others become "?".
std::vector<int> Latin1Codes(const std::string& utf8);

}  // namespace lumarte::effects
