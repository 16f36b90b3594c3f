#include "BenchImage.h"

#include <algorithm>

namespace lumarte::bench {

const editor::TBitmap& PhotoRaster() {
  static const editor::TBitmap image = [] {
    const int w = kPhotoWidth, h = kPhotoHeight;
    editor::TBitmap b(w, h);
    uint32_t s = 7;
    for (int y = 0; y < h; ++y) {
      uint8_t* row = b.ScanLine(y);
      for (int x = 0; x < w; ++x) {
        s = s * 134775813u + 1;
        int n = static_cast<int>(s >> 28) - 8;
        row[3 * x] = static_cast<uint8_t>(std::clamp(x * 255 / w + n, 0, 255));
        row[3 * x + 1] = static_cast<uint8_t>(std::clamp(y * 255 / h + n, 0, 255));
        row[3 * x + 2] = static_cast<uint8_t>(std::clamp((x + y) * 128 / h + n, 0, 255));
      }
    }
    return b;
  }();
  return image;
}

}  // namespace lumarte::bench
