// Commands that break the image into a texture: Mosaic, Painting (water
// color) and Random Permutation. The last two draw from the program's one
// generator, which the caller has seeded.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "effects/model/PixelOps.h"
#include "base/Random.h"
#include "base/Rounding.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;
using editor::TRect;

uint8_t* At(TBitmap& b, int x, int y) {
  return b.ScanLine(y) + 3 * static_cast<size_t>(x);
}
const uint8_t* At(const TBitmap& b, int x, int y) {
  return b.ScanLine(y) + 3 * static_cast<size_t>(x);
}

TBitmap Mosaic(const EffectInput& in) {
  const int s = MosaicBlockSize(in.Source.Width(), in.Source.Height());
  TBitmap out;
  // Blocks do not overlap, so a block's top-left pixel still has the image's
  // colour when the block is reached.
  MapSelectedPixels(in, out, [&](const uint8_t*, uint8_t* d, int x, int y) {
    std::memcpy(d, At(in.Source, x - x % s, y - y % s), 3);
  });
  return out;
}

TBitmap Painting(const EffectInput& in) {
  const int w = in.Source.Width(), h = in.Source.Height();
  const int n = std::max(3, std::min(w, h) / 200);
  TRandomGenerator& rng = Rng();
  TBitmap out = in.Source;
  for (int y0 = 0; y0 < h; y0 += n) {
    ReportProgress(in.Progress, y0, "Painting", h);
    for (int y = y0; y < std::min(h, y0 + n); ++y)
      for (int x = 0; x < w; ++x) {
        uint8_t colour[3];
        std::memcpy(colour, At(out, x, y0), 3);
        // A random walk of n points paints the colour where it is selected.
        int px = x, py = y;
        for (int i = 0; i < n; ++i) {
          if (in.Selection.InSelection(px, py)) std::memcpy(At(out, px, py), colour, 3);
          const int step = rng.Real() <= 0.5 ? 1 : -1;
          if (rng.Real() <= 0.5)
            py += step;
          else
            px += step;
        }
      }
  }
  return out;
}

TBitmap RandomPermutation(const EffectInput& in) {
  const TRect& b = in.Selection.Bounds();
  const int64_t extent = std::llabs(int64_t{b.Right} - b.Left + (int64_t{b.Bottom} - b.Top));
  const int r =
      static_cast<int>(std::max<int64_t>(5, Round(std::sqrt(static_cast<double>(extent)))));
  TRandomGenerator& rng = Rng();
  TBitmap out;
  MapSelectedPixels(in, out, [&](const uint8_t*, uint8_t* d, int x, int y) {
    // Up to 11 draws for a selected neighbour; after that the pixel stays.
    for (int attempt = 0; attempt < 11; ++attempt) {
      const int sx = x + static_cast<int>(rng.Below(static_cast<uint32_t>(r))) - r / 2;
      const int sy = y + static_cast<int>(rng.Below(static_cast<uint32_t>(r))) - r / 2;
      if (in.Selection.InSelection(sx, sy)) {
        std::memcpy(d, At(in.Source, sx, sy), 3);
        return;
      }
    }
  });
  return out;
}

}  // namespace

int MosaicBlockSize(int width, int height) {
  return std::max(5, std::min(width, height) / 100);
}

const std::vector<PixelCommand>& TextureCommands() {
  static const std::vector<PixelCommand> commands{
      {"Mosaic", "", "LMMosaic1", Mosaic},
      {"Painting (water color)", "", "LMPainting1", Painting},
      {"Random Permutation", "", "LMRandomPermutation1", RandomPermutation},
  };
  return commands;
}

}  // namespace lumarte::effects
