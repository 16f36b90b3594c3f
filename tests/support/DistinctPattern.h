#pragma once
// A small test picture whose pixels all differ (for sizes up to 36 × 85):
// red = 7x + y, green = 3y + x, blue = x ^ y.
#include "editor/model/Bitmap.h"

namespace lumarte::fixtures {

inline editor::TBitmap DistinctPattern(int w, int h) {
  editor::TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y,
                 editor::RGBColor(static_cast<uint8_t>(7 * x + y), static_cast<uint8_t>(3 * y + x),
                                  static_cast<uint8_t>(x ^ y)));
  return b;
}

}  // namespace lumarte::fixtures
