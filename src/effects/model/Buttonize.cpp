#include <algorithm>
#include <numeric>

#include "base/Parallel.h"
#include "base/Random.h"
#include "base/Rounding.h"
#include "effects/model/RetouchEffects.h"

namespace lumarte::effects {

namespace {

constexpr int kRandomPoints = 24;
constexpr int kDrawsPerPixel = 2 * kRandomPoints;
constexpr int kRowsPerStep = 32;

// Selected neighbours lift the shade, unselected ones (and the world outside
// the image) lower it twice as much.
double Weight(const editor::TSelectionTest& sel, int x, int y) {
  return sel.InSelection(x, y) ? 0.025 : -0.05;
}

struct Shader {
  const EffectInput& In;
  int B;
  int Mask;  // 255 keeps every level

  uint8_t Channel(uint8_t c, double s) const {
    return static_cast<uint8_t>(std::min(255, (ClampRound(c * s) & Mask) * 255 / Mask));
  }

  // One row, its draws taken from rng.
  void Row(int y, TRandomGenerator& rng, editor::TBitmap& out) const {
    const editor::TSelectionTest& sel = In.Selection;
    const uint8_t* s = In.Source.ScanLine(y);
    uint8_t* d = out.ScanLine(y);
    double q = 0;
    for (int x = 0; x < In.Source.Width(); ++x) {
      if (!sel.InSelection(x, y)) {
        q = 0;
        continue;
      }
      double sum = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (dx || dy) sum += 2 * Weight(sel, x + dx, y + dy);
      for (int k = 0; k < kRandomPoints; ++k) {
        const int rx = static_cast<int>(rng.Below(2 * B)) - B;
        const int ry = static_cast<int>(rng.Below(2 * B)) - B;
        sum += Weight(sel, x + rx, y + ry);
      }
      const double shade = std::clamp(0.5 * sum + 0.5 * q, 0.0, 1.05);
      q = sum;
      for (int c = 0; c < 3; ++c) d[3 * x + c] = Channel(s[3 * x + c], shade);
    }
  }
};

}  // namespace

int ButtonizeBorderSize(int width, int height) {
  return std::max(10, std::min(30, (width + height) / 30));
}

editor::TBitmap Buttonize(const EffectInput& in, const ButtonizeParams& p) {
  const int h = in.Source.Height(), w = in.Source.Width();
  const int planes = std::clamp(p.Bitplanes, 0, 7);
  const Shader shader{in, std::max(1, p.BorderSize), p.Posterize ? (255 << planes) & 255 : 255};
  // Each row's first draw, so that rows can be shaded on several cores and
  // still take the draws in scan order.
  std::vector<uint64_t> firstDraw(static_cast<size_t>(h) + 1);
  for (int y = 0; y < h; ++y) {
    uint64_t selected = 0;
    for (int x = 0; x < w; ++x) selected += in.Selection.InSelection(x, y);
    firstDraw[static_cast<size_t>(y) + 1] = firstDraw[static_cast<size_t>(y)] + selected;
  }
  const uint32_t start = Rng().State;
  editor::TBitmap out = in.Source;
  ParallelBands(
      h, kRowsPerStep,
      [&](int64_t top) { ReportProgress(in.Progress, static_cast<int>(top), "Buttonize", h); },
      [&](int64_t begin, int64_t end) {
        TRandomGenerator rng{start};
        rng.Skip(kDrawsPerPixel * firstDraw[static_cast<size_t>(begin)]);
        for (int64_t y = begin; y < end; ++y) shader.Row(static_cast<int>(y), rng, out);
      });
  Rng().Skip(kDrawsPerPixel * firstDraw.back());
  return out;
}

}  // namespace lumarte::effects
