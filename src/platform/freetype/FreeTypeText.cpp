#include "platform/freetype/FreeTypeText.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <map>

#include "imaging/Errors.h"
#include "platform/freetype/FontMatch.h"

namespace lumarte::platform {

namespace {

struct TGlyph {
  FT_UInt Index;
  FT_Pos Advance;  // 26.6 pixels
};

class TFreeTypeTextRenderer : public effects::TTextRenderer {
 public:
  explicit TFreeTypeTextRenderer(const effects::WriteParams& p)
      : Face(MatchFont(p.Font, p.Bold, p.Italic)) {
    if (FT_Init_FreeType(&Library)) throw ELumarteError("FreeType cannot start");
    if (FT_New_Face(Library, Face.File.c_str(), Face.Index, &Ft)) {
      FT_Done_FreeType(Library);
      throw ELumarteError(Face.File + ": the font cannot be read");
    }
    // Points at the fonts' resolution, whatever the raster's own.
    Pixels = std::max(1, static_cast<int>(std::lround(p.Size * effects::kTextPpi / 72.0)));
    FT_Set_Pixel_Sizes(Ft, 0, Pixels);
    SetLineMetrics();
  }
  ~TFreeTypeTextRenderer() override {
    FT_Done_Face(Ft);
    FT_Done_FreeType(Library);
  }
  TFreeTypeTextRenderer(const TFreeTypeTextRenderer&) = delete;
  TFreeTypeTextRenderer& operator=(const TFreeTypeTextRenderer&) = delete;

  int Width(const std::string& line) override {
    FT_Pos pen = 0;
    Layout(line, [&](const TGlyph&, FT_Pos, FT_Pos end) { pen = end; });
    return static_cast<int>((pen + 32) >> 6);
  }
  int LineHeight() override { return Ascent + Descent; }
  void Draw(editor::TBitmap& target, int x, int y, const std::string& line,
            editor::TColor colour) override {
    Layout(line, [&](const TGlyph& g, FT_Pos start, FT_Pos) {
      DrawGlyph(target, static_cast<FT_Pos>(x) * 64 + start, y + Ascent, g.Index, colour);
    });
  }

 private:
  // Rounded ascent and descent from the font's own line metrics, as the
  // window's font metrics give them.
  void SetLineMetrics() {
    double ascender = Ft->ascender, descender = -Ft->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(Ft, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && (os2->fsSelection & 0x80)) {
      ascender = os2->sTypoAscender;
      descender = -os2->sTypoDescender;
    }
    const double scale = Ft->units_per_EM ? static_cast<double>(Pixels) / Ft->units_per_EM : 0;
    Ascent = static_cast<int>(std::lround(ascender * scale));
    Descent = static_cast<int>(std::lround(descender * scale));
    if (!FT_IS_SCALABLE(Ft)) {
      Ascent = static_cast<int>(Ft->size->metrics.ascender >> 6);
      Descent = static_cast<int>(-Ft->size->metrics.descender >> 6);
    }
  }

  FT_Int32 LoadFlags() const {
    if (!Face.Antialias) return FT_LOAD_TARGET_MONO;
    switch (Face.Hinting) {
      case THintStyle::None:
        return FT_LOAD_NO_HINTING;
      case THintStyle::Slight:
        return FT_LOAD_TARGET_LIGHT;
      default:
        return FT_LOAD_TARGET_NORMAL;
    }
  }
  // Unhinted widths under light or no hinting, hinted ones otherwise.
  bool DesignMetrics() const {
    return Face.Hinting == THintStyle::None || Face.Hinting == THintStyle::Slight;
  }

  // Loads a glyph into the slot with the styles the face lacks; false for a
  // glyph the font cannot load.
  bool Load(FT_UInt index, FT_Pos* widened = nullptr) {
    if (FT_Load_Glyph(Ft, index, LoadFlags() | FT_LOAD_NO_BITMAP)) return false;
    const FT_Pos before = Ft->glyph->advance.x;
    if (Face.Oblique) FT_GlyphSlot_Oblique(Ft->glyph);
    if (Face.Embolden) FT_GlyphSlot_Embolden(Ft->glyph);
    if (widened) *widened = Ft->glyph->advance.x - before;
    return true;
  }

  const TGlyph& Glyph(char32_t c) {
    auto it = Glyphs.find(c);
    if (it != Glyphs.end()) return it->second;
    TGlyph g{FT_Get_Char_Index(Ft, c), 0};
    FT_Pos widened = 0;
    if (Load(g.Index, &widened) || Load(g.Index = 0, &widened))
      g.Advance =
          DesignMetrics() ? (Ft->glyph->linearHoriAdvance >> 10) + widened : Ft->glyph->advance.x;
    return Glyphs.emplace(c, g).first->second;
  }

  // Calls place(glyph, pen at it, pen after it) for each character, the pen
  // in 26.6 pixels from 0.
  template <class F>
  void Layout(const std::string& line, F place) {
    FT_Pos pen = 0;
    FT_UInt previous = 0;
    for (char32_t c : effects::CodePoints(line)) {
      const TGlyph g = Glyph(c);
      if (previous && g.Index && FT_HAS_KERNING(Ft)) {
        FT_Vector kern{};
        FT_Get_Kerning(Ft, previous, g.Index,
                       DesignMetrics() ? FT_KERNING_UNFITTED : FT_KERNING_DEFAULT, &kern);
        pen += kern.x;
      }
      place(g, pen, pen + g.Advance);
      pen += g.Advance;
      previous = g.Index;
    }
  }

  void DrawGlyph(editor::TBitmap& target, FT_Pos penX, int baseline, FT_UInt index,
                 editor::TColor colour) {
    if (!Load(index)) return;
    FT_GlyphSlot slot = Ft->glyph;
    const int whole = static_cast<int>(penX >> 6);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_Outline_Translate(&slot->outline, penX & 63, 0);
    if (FT_Render_Glyph(slot, Face.Antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO)) return;
    const FT_Bitmap& b = slot->bitmap;
    const int left = whole + slot->bitmap_left, top = baseline - slot->bitmap_top;
    const int ink[3] = {static_cast<int>(colour >> 16 & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                        static_cast<int>(colour & 0xFF)};
    for (int row = 0; row < static_cast<int>(b.rows); ++row) {
      const int ty = top + row;
      if (ty < 0 || ty >= target.Height()) continue;
      const unsigned char* src = b.buffer + static_cast<ptrdiff_t>(row) * b.pitch;
      uint8_t* dst = target.ScanLine(ty);
      for (int col = 0; col < static_cast<int>(b.width); ++col) {
        const int tx = left + col;
        if (tx < 0 || tx >= target.Width()) continue;
        const int cover = b.pixel_mode == FT_PIXEL_MODE_MONO
                              ? (src[col >> 3] >> (7 - (col & 7)) & 1) * 255
                              : src[col];
        uint8_t* px = dst + 3 * tx;  // blue, green, red
        for (int k = 0; k < 3; ++k)
          px[k] = static_cast<uint8_t>(px[k] + (ink[k] - px[k]) * cover / 255);
      }
    }
  }

  TFontFace Face;
  FT_Library Library = nullptr;
  FT_Face Ft = nullptr;
  int Pixels = 1, Ascent = 0, Descent = 0;
  std::map<char32_t, TGlyph> Glyphs;
};

}  // namespace

std::unique_ptr<effects::TTextRenderer> MakeFreeTypeTextRenderer(const effects::WriteParams& p) {
  return std::make_unique<TFreeTypeTextRenderer>(p);
}

void InstallFreeTypeText() {
  effects::SetPlatformText(MakeFreeTypeTextRenderer);
}

}  // namespace lumarte::platform
