#include "editor/model/SavePreviews.h"

namespace lumarte::editor {

TBitmap MarkTransparentPixels(const TBitmap& raster, TColor transparentColor) {
  TBitmap out = raster;
  const uint8_t b = BlueOf(transparentColor), g = GreenOf(transparentColor),
                r = RedOf(transparentColor);
  for (int y = 0; y < out.Height(); ++y) {
    uint8_t* p = out.ScanLine(y);
    for (int x = 0; x < out.Width(); ++x, p += 3) {
      if (p[0] != b || p[1] != g || p[2] != r) continue;
      uint8_t v = ((x / 8 + y / 8) & 1) ? 0x99 : 0xCC;
      p[0] = p[1] = p[2] = v;
    }
  }
  return out;
}

std::string SizeText(int64_t bytes) {
  return std::to_string(bytes) + " Bytes";
}

}  // namespace lumarte::editor
