#include <algorithm>
#include <atomic>
#include <cmath>

#include "effects/model/ColourMemo.h"
#include "base/Parallel.h"
#include "base/Random.h"
#include "base/Rounding.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

// (9s + 1) for s >= 0, else 1 / (1 - 9s).
double Factor(int position) {
  double s = position / 100.0;
  return s >= 0 ? 9 * s + 1 : 1.0 / (1 - 9 * s);
}

struct HSV {
  double H, S, V;
};

HSV ToHSV(double r, double g, double b) {
  double mx = std::max({r, g, b}), mn = std::min({r, g, b}), delta = mx - mn;
  if (delta <= 0.001) return {0, 0, mx};
  auto d = [&](double c) { return ((mx - c) / 6 + delta / 2) / delta; };
  double h;
  // The largest channel is picked exactly: a tolerance of 0.01 would take red
  // for the maximum of dark pixels like (1, 1, 2) and turn them purple even
  // with every control at zero.
  if (r == mx)
    h = d(b) - d(g);
  else if (g == mx)
    h = 0.3333 + d(r) - d(b);
  else
    h = 0.6667 + d(g) - d(r);
  if (h < 0) h += 1;
  if (h > 1) h -= 1;
  return {h, delta / mx, mx};
}

void FromHSV(const HSV& c, uint8_t* px) {
  double r, g, b;
  if (std::abs(c.S) < 0.001) {
    r = g = b = c.V;
  } else {
    int i = static_cast<int>(std::floor(6 * c.H));
    double f = 6 * c.H - i;
    double p = c.V * (1 - c.S), q = c.V * (1 - c.S * f), t = c.V * (1 - c.S * (1 - f));
    switch (i) {
      case 0:
        r = c.V, g = t, b = p;
        break;
      case 1:
        r = q, g = c.V, b = p;
        break;
      case 2:
        r = p, g = c.V, b = t;
        break;
      case 3:
        r = p, g = q, b = c.V;
        break;
      case 4:
        r = t, g = p, b = c.V;
        break;
      default:
        r = c.V, g = p, b = q;
        break;
    }
  }
  px[0] = ClampRound(b * 255), px[1] = ClampRound(g * 255), px[2] = ClampRound(r * 255);
}

}  // namespace

editor::TBitmap HueSaturation(const EffectInput& in, const HueSaturationParams& p) {
  static const std::string kTitle = "Hue, Saturation";
  const double shift = p.Hue / 200.0, sat = Factor(p.Saturation), bright = Factor(p.Brightness);
  const int h = in.Source.Height();
  auto convert = [&](uint32_t colour) {
    HSV c = ToHSV((colour >> 16 & 255) / 255.0, (colour >> 8 & 255) / 255.0,
                  (colour & 255) / 255.0);
    c.H += shift;
    if (c.H > 1) c.H -= 1;
    if (c.H < 0) c.H += 1;
    c.S *= sat;
    c.V *= bright;
    uint8_t px[3];
    FromHSV(c, px);
    return px[0] | px[1] << 8 | uint32_t{px[2]} << 16;
  };
  editor::TBitmap out = in.Source;
  std::atomic<uint64_t> pixels{0};
  // Bands of rows, each spread over the cores, with the bar moved between
  // them on this thread.
  const editor::TRect& c = in.Selection.Candidates();
  const int rows = c.Bottom - c.Top + 1;
  ParallelBands(
      rows, std::max(1, rows / 16),
      [&](int64_t r) { ReportProgress(in.Progress, c.Top + static_cast<int>(r), kTitle, h); },
      [&](int64_t first, int64_t end) {
        ColourMemo memo;
        uint64_t count = 0;
        for (int y = c.Top + static_cast<int>(first); y < c.Top + end; ++y) {
          const uint8_t* s = in.Source.ScanLine(y);
          uint8_t* d = out.ScanLine(y);
          in.Selection.ForEachRun(y, [&](int lo, int hi) {
            for (int x = lo; x <= hi; ++x) {
              const uint8_t* p = s + 3 * x;
              const uint32_t r = memo.Get(p[0] | p[1] << 8 | uint32_t{p[2]} << 16, convert);
              d[3 * x] = static_cast<uint8_t>(r), d[3 * x + 1] = static_cast<uint8_t>(r >> 8);
              d[3 * x + 2] = static_cast<uint8_t>(r >> 16);
            }
            count += static_cast<uint64_t>(hi - lo + 1);
          });
        }
        pixels += count;
      });
  // One draw a pixel, as ever, so that later effects see the same sequence.
  Rng().Skip(pixels);
  return out;
}

}  // namespace lumarte::effects
