#include <algorithm>

#include "effects/model/BitmapFont.h"
#include "effects/model/InsertEffects.h"
#include "imaging/Errors.h"

namespace lumarte::effects {

namespace {

PlatformTextFactory& PlatformText() {
  static PlatformTextFactory factory;
  return factory;
}

}  // namespace

void SetPlatformText(PlatformTextFactory factory) {
  PlatformText() = std::move(factory);
}

std::unique_ptr<TTextRenderer> MakeTextRenderer(const WriteParams& p) {
  if (p.BitmapFont) {
    const int n = BitmapFontForSize(p.Size);
    return std::make_unique<TBitmapTextRenderer>(ProgramBitmapFonts()[n], p.Size, kTextPpi,
                                                 p.Bold || n == 0);
  }
  if (!PlatformText())
    throw ELumarteError("No platform text drawing here: use the built-in fonts (bitmap-font=1)");
  return PlatformText()(p);
}

std::vector<char32_t> CodePoints(const std::string& utf8) {
  std::vector<char32_t> codes;
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    if (i + length > utf8.size()) length = 1;
    char32_t code = length == 1 ? (c < 0x80 ? c : 0xFFFD) : c & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto more = static_cast<unsigned char>(utf8[i + k]);
      if ((more >> 6) != 2) {
        length = 1;
        code = 0xFFFD;
        break;
      }
      code = code << 6 | (more & 0x3F);
    }
    codes.push_back(code);
    i += length;
  }
  return codes;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

editor::TBitmap WriteText(const EffectInput& in, const std::vector<std::string>& lines,
                          const WriteParams& p, TTextRenderer& renderer) {
  editor::TBitmap out = in.Source;
  std::vector<int> widths;
  for (const auto& line : lines) widths.push_back(renderer.Width(line));
  const int widest = widths.empty() ? 0 : *std::max_element(widths.begin(), widths.end());
  const editor::TColor colour = in.Colours.FG.Color();
  int64_t y = p.Top;
  for (size_t i = 0; i < lines.size() && y < out.Height(); ++i) {
    int x = p.Left;
    if (p.Alignment == TextAlignment::Center) x += (widest - widths[i]) / 2;
    if (p.Alignment == TextAlignment::Right) x += widest - widths[i];
    renderer.Draw(out, x, static_cast<int>(y), lines[i], colour);
    y += renderer.LineHeight() + 1;
  }
  return out;
}

}  // namespace lumarte::effects
