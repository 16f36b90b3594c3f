#include "effects/model/BitmapFont.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "base/Rounding.h"
#include "editor/model/RasterConversion.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::effects {

namespace {

[[noreturn]] void BadTable(const std::string& why) {
  throw ELumarteError("Invalid bitmap font table: " + why);
}

}  // namespace

std::vector<int> ParseGlyphTable(std::string_view text, int stripWidth) {
  std::vector<int> table;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (line.empty() && pos >= text.size()) break;
    if (line.empty() || line.size() > 9 || line.find_first_not_of("0123456789") != line.npos)
      BadTable("line " + std::to_string(table.size() + 1) + " is not a number");
    table.push_back(std::stoi(std::string(line)));
  }
  if (table.size() < static_cast<size_t>(kGlyphTableLines))
    BadTable("it has " + std::to_string(table.size()) + " lines, not " +
             std::to_string(kGlyphTableLines));
  for (int n = 3; n < kGlyphTableLines; ++n)
    if (table[n] > stripWidth || (n > 3 && table[n] < table[n - 1]))
      BadTable("line " + std::to_string(n + 1) + " does not fit the strip");
  table.resize(kGlyphTableLines);
  return table;
}

TBitmapFont MakeBitmapFont(const editor::TBitmap& strip, std::string_view table) {
  if (strip.Width() < 1 || strip.Height() < 2)
    throw ELumarteError("Invalid bitmap font: the strip is smaller than 1 x 2 pixels");
  TBitmapFont font;
  font.Width = strip.Width();
  font.Height = strip.Height();
  font.Table = ParseGlyphTable(table, font.Width);
  font.Ink.resize(static_cast<size_t>(font.Width) * font.Height);
  for (int y = 0; y < font.Height; ++y)
    for (int x = 0; x < font.Width; ++x)
      font.Ink[static_cast<size_t>(y) * font.Width + x] = strip.Pixel(x, y) == editor::clBlack;
  return font;
}

TBitmapFont LoadBitmapFont(const std::string& folder, int n) {
  const std::string stem = folder + "0" + std::to_string(n);
  imaging::TRevedBitmap picture;
  picture.LoadFromFile(stem + ".bmp");
  editor::TBitmap strip;
  editor::AssignTo(picture, strip);
  std::ifstream in(stem + ".fnt", std::ios::binary);
  if (!in) throw ELumarteError("Cannot open the bitmap font table \"" + stem + ".fnt\"");
  std::ostringstream text;
  text << in.rdbuf();
  return MakeBitmapFont(strip, text.str());
}

const std::array<TBitmapFont, 4>& ProgramBitmapFonts() {
  static const std::array<TBitmapFont, 4> fonts = [] {
    const std::string& folder = imaging::ProgramDirectory();
    return std::array<TBitmapFont, 4>{LoadBitmapFont(folder, 1), LoadBitmapFont(folder, 2),
                                      LoadBitmapFont(folder, 3), LoadBitmapFont(folder, 4)};
  }();
  return fonts;
}

TGlyphSpan GlyphColumns(const TBitmapFont& font, int code) {
  const std::vector<int>& t = font.Table;
  if (code < kFirstGlyph || code > kLastGlyph) return {0, -1};
  if (code == kFirstGlyph) return {0, t[3] - 1};
  if (code == kLastGlyph) return {t[227], font.Width - 1};
  return {t[code - 28], t[code - 27] - 1};
}

TGlyphSpan CutTrailingBlank(const TBitmapFont& font, TGlyphSpan s) {
  int k = 0;
  for (int x = s.X1; x >= s.X0; --x) {
    ++k;
    bool ink = false;
    for (int y = 0; y < font.Height && !ink; ++y) ink = font.InkAt(x, y);
    if (ink) break;
  }
  if (k > 2 && s.X1 - s.X0 - 2 > k) s.X1 = s.X1 - k + 1;
  return s;
}

int BitmapFontForSize(int points) {
  return points < 8 ? 0 : points < 14 ? 1 : points < 24 ? 2 : 3;
}

std::vector<int> Latin1Codes(const std::string& utf8) {
  std::vector<int> codes;
  for (char32_t c : CodePoints(utf8)) codes.push_back(c <= 255 ? static_cast<int>(c) : '?');
  return codes;
}

TBitmapTextRenderer::TBitmapTextRenderer(const TBitmapFont& font, int points, int ppi, bool thicken)
    : Font(font), H(static_cast<int>(Round(points * ppi / 72.0)) + 1), Thicken(thicken) {}

int TBitmapTextRenderer::Width(const std::string& line) {
  int width = 0;
  for (int code : Latin1Codes(line)) {
    const TGlyphSpan s = GlyphColumns(Font, code);
    width += H * (s.X1 - s.X0 + 1) / (Font.Height - 1) + 1;
  }
  return width;
}

void TBitmapTextRenderer::Draw(editor::TBitmap& target, int x, int y, const std::string& line,
                               editor::TColor colour) {
  for (int code : Latin1Codes(line)) x += DrawGlyph(target, x, y, code, colour) + 1;
}

bool TBitmapTextRenderer::Thickens(TGlyphSpan s, int col, int row) const {
  if (!Thicken) return false;
  int inked = 0;
  const int around[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const auto& d : around) {
    const int c = col + d[0], r = row + d[1];
    inked += c >= s.X0 && c <= s.X1 && r >= 0 && r < Font.Height && Font.InkAt(c, r);
  }
  return inked == 2 || inked == 3;
}

int TBitmapTextRenderer::DrawGlyph(editor::TBitmap& target, int x, int y, int code,
                                   editor::TColor colour) const {
  const TGlyphSpan s = CutTrailingBlank(Font, GlyphColumns(Font, code));
  if (s.X1 < s.X0) return 0;
  const int gw = H * (s.X1 - s.X0 + 1) / (Font.Height - 1);
  const int x0 = std::max(x, 0), x1 = std::min<int64_t>(int64_t{x} + gw, target.Width() - 1);
  const int y0 = std::max(y, 0), y1 = std::min<int64_t>(int64_t{y} + H, target.Height() - 1);
  for (int ty = y0; ty <= y1; ++ty) {
    const int row = static_cast<int>(Round((Font.Height - 1) * double(ty - y) / H));
    for (int tx = x0; tx <= x1; ++tx) {
      const int col = gw == 0 ? s.X0 : s.X0 + (s.X1 - s.X0) * (tx - x) / gw;
      if (Font.InkAt(col, row) || Thickens(s, col, row)) target.SetPixel(tx, ty, colour);
    }
  }
  return gw;
}

}  // namespace lumarte::effects
