#include <algorithm>

#include "base/Rounding.h"
#include "effects/model/InsertEffects.h"
#include "imaging/Errors.h"

namespace lumarte::effects {

namespace {

void Write(uint8_t* d, const uint8_t* s, bool mix) {
  for (int c = 0; c < 3; ++c) d[c] = mix ? static_cast<uint8_t>((d[c] + s[c]) >> 1) : s[c];
}

const uint8_t* At(const editor::TBitmap& b, int64_t x, int64_t y) {
  return b.ScanLine(static_cast<int>(y)) + 3 * x;
}

int64_t Modulo(int64_t a, int64_t n) {
  return ((a % n) + n) % n;
}

}  // namespace

editor::TBitmap PasteInsert(const EffectInput& in, const editor::TBitmap& picture,
                            const PasteInsertParams& p) {
  editor::TBitmap out = in.Source;
  const int pw = picture.Width(), ph = picture.Height();
  if (pw == 0 || ph == 0) return out;
  const editor::TRect& sel = in.Selection.Bounds();
  switch (p.Mode) {
    case PasteMode::AsNewSelection:
      for (int py = 0; py < ph && int64_t{p.Y} + py < out.Height(); ++py)
        for (int px = 0; px < pw && int64_t{p.X} + px < out.Width(); ++px)
          if (p.X + px >= 0 && p.Y + py >= 0)
            Write(out.ScanLine(p.Y + py) + 3 * (p.X + px), At(picture, px, py), p.Mix);
      break;
    case PasteMode::ToSelectionAdjustSize: {
      if (sel.Right == sel.Left) throw ELumarteError("Division by 0 Error funcPIns_TSAS");
      const double k = static_cast<double>(pw) / (int64_t{sel.Right} - sel.Left);
      ForEachSelectedPixel(in, [&](const uint8_t*, int x, int y) {
        const int64_t px = std::min<int64_t>(Round((int64_t{x} - sel.Left) * k), pw - 1);
        const int64_t py = std::min<int64_t>(Round((int64_t{y} - sel.Top) * k), ph - 1);
        Write(out.ScanLine(y) + 3 * x,
              At(picture, std::max<int64_t>(px, 0), std::max<int64_t>(py, 0)), p.Mix);
      });
      break;
    }
    case PasteMode::ToSelectionWallpaper:
      ForEachSelectedPixel(in, [&](const uint8_t*, int x, int y) {
        Write(out.ScanLine(y) + 3 * x,
              At(picture, Modulo(int64_t{x} - sel.Left, pw), Modulo(int64_t{y} - sel.Top, ph)),
              p.Mix);
      });
      break;
  }
  return out;
}

}  // namespace lumarte::effects
