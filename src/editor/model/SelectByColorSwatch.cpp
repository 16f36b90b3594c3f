#include "editor/model/SelectByColorSwatch.h"

#include "base/Rounding.h"

namespace lumarte::editor {

TBitmap SelectByColorSwatch(const TSelectByColor& c, int width, int height, TRandomGenerator& rng) {
  TBitmap swatch(width, height);
  const uint32_t spread = 2 * static_cast<uint32_t>(std::max(c.Width, 0));
  auto scatter = [&](int v) {
    return ClampByte(int64_t{v} + static_cast<int64_t>(rng.Below(spread)) - c.Width);
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (x == width / 2 && y == height / 2) {
        swatch.SetPixel(x, y, RGBColor(ClampByte(c.Red), ClampByte(c.Green), ClampByte(c.Blue)));
        continue;
      }
      const uint8_t r = scatter(c.Red), g = scatter(c.Green), b = scatter(c.Blue);
      swatch.SetPixel(x, y, RGBColor(r, g, b));
    }
  return swatch;
}

}  // namespace lumarte::editor
