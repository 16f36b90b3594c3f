// Stochastic luminance: the selection's pixels close to its brightest,
// darkest or median brightness shoot random rays that deposit light (or
// darkness) on the pixels they pass; each pixel's brightness then moves by
// what it collected. The rays draw from the one generator in pixel order and
// a ray's length depends on its draws, so the shooting stays on one thread.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "base/Rounding.h"
#include "editor/model/SelectionEdit.h"
#include "effects/model/Lighting.h"

namespace lumarte::effects {

namespace {

constexpr int kDeposit = 10;

// One group of the dialog: which pixels are its sources and how their rays go.
struct RayGroup {
  bool On;
  int Rays;
  double Offset, HitProbability, MedianFactor;
  bool Minimum, Median, Maximum;
  int Sign;  // +1 light, -1 darkness

  bool IsSource(int64_t deviation, const editor::TBrightnessStats& st) const {
    if (!On) return false;
    const double above = st.Maximum - st.Median, below = st.Median - st.Minimum;
    return (Maximum && deviation >= Round((1 - Offset) * above)) ||
           (Minimum && -deviation >= Round((1 - Offset) * below)) ||
           (Median && static_cast<double>(std::llabs(deviation)) <=
                          MedianFactor * Offset * std::max(above, below));
  }
};

class Shooter {
 public:
  Shooter(const EffectInput& in, TRandomGenerator& rng)
      : In(in),
        Rng(rng),
        Box(in.Selection.Candidates()),
        BoxWidth(Box.Right - Box.Left + 1),
        Accumulator(static_cast<size_t>(BoxWidth) * (Box.Bottom - Box.Top + 1), 0) {}

  // Energy |deviation| (light) or -|deviation| (darkness), spent 10 per hit.
  void Shoot(const RayGroup& g, int x, int y, int64_t deviation) {
    for (int ray = 0; ray < g.Rays; ++ray) {
      const double angle = 360 * Rng.Real();  // taken as radians
      const double s = std::sin(angle), c = std::cos(angle);
      int64_t energy = g.Sign * std::llabs(deviation);
      int64_t px = x, py = y;
      for (int64_t t = 0; Inside(px, py) && g.Sign * energy >= 0;) {
        if (Rng.Real() > 1 - g.HitProbability) {
          At(px, py) += g.Sign * kDeposit;
          energy -= g.Sign * kDeposit;
        }
        ++t;
        px = Round(x + static_cast<double>(t) * s);
        py = Round(y + static_cast<double>(t) * c);
      }
    }
  }

  int64_t& At(int64_t x, int64_t y) {
    return Accumulator[static_cast<size_t>((y - Box.Top) * BoxWidth + (x - Box.Left))];
  }

 private:
  bool Inside(int64_t x, int64_t y) const {
    return x >= Box.Left && x <= Box.Right && y >= Box.Top && y <= Box.Bottom &&
           In.Selection.InSelection(static_cast<int>(x), static_cast<int>(y));
  }

  const EffectInput& In;
  TRandomGenerator& Rng;
  const editor::TRect Box;
  const int64_t BoxWidth;
  // Wider than the 32 bits the collected amounts need, so that no count of
  // rays can overflow them.
  std::vector<int64_t> Accumulator;
};

int Luminance(const uint8_t* p) {
  return (p[0] + p[1] + p[2]) / 3;
}

// The brightness after collecting: grey when it would scale the colour by
// nothing, else the colour scaled.
void MapPixel(const uint8_t* s, uint8_t* d, int64_t collected, double k) {
  const int lum = Luminance(s);
  const int64_t target = Round(static_cast<double>(collected) * k + lum);
  const double f = lum >= 1 ? static_cast<double>(target) / lum : 0;
  if (f <= 0) {
    d[0] = d[1] = d[2] = ClampByte(target);
    return;
  }
  for (int c = 0; c < 3; ++c) d[c] = ClampRound(s[c] * f);
}

}  // namespace

editor::TBitmap StochasticLuminance(const EffectInput& in, const StochasticLuminanceParams& p,
                                    uint32_t seed) {
  TRandomGenerator& rng = Rng();
  rng.Seed(seed);
  editor::TBitmap out = in.Source;
  const editor::TRect& box = in.Selection.Candidates();
  if (box.Right < box.Left || box.Bottom < box.Top) return out;
  ReportProgress(in.Progress, 0, "Stoch.Luminance - Color Median", 1);
  const editor::TBrightnessStats stats =
      editor::SelectionBrightnessStats(in.Source, in.Selection, 1, 1, 1);
  const RayGroup light{p.LightOn, p.LightRays,    p.LightOffset / 100.0, p.LightHitProb / 100.0,
                       0.52,      p.LightMinimum, p.LightMedian,         p.LightMaximum,
                       +1};
  const RayGroup dark{p.DarknessOn,
                      p.DarknessRays,
                      p.DarknessOffset / 100.0,
                      p.DarknessHitProb / 100.0,
                      0.67,
                      p.DarknessMinimum,
                      p.DarknessMedian,
                      p.DarknessMaximum,
                      -1};
  Shooter shooter(in, rng);
  const int rows = box.Bottom - box.Top + 1;
  for (int y = box.Top; y <= box.Bottom; ++y) {
    ReportProgress(in.Progress, y - box.Top, "Stoch.Luminance. Shooting rays.", rows);
    const uint8_t* s = in.Source.ScanLine(y);
    for (int x = box.Left; x <= box.Right; ++x) {
      if (!in.Selection.InSelection(x, y)) continue;
      const int64_t deviation = Round(Luminance(s + 3 * static_cast<size_t>(x)) - stats.Median);
      for (const RayGroup* g : {&light, &dark})
        if (g->IsSource(deviation, stats)) shooter.Shoot(*g, x, y, deviation);
    }
  }
  double k = p.Intensity * 0.02;
  if (p.LightOn) k /= p.LightRays;
  if (p.DarknessOn) k /= p.DarknessRays;
  if (p.LightOn && p.DarknessOn) k *= p.LightRays + p.DarknessRays;
  MapSelectedPixels(in, out, [&](const uint8_t* s, uint8_t* d, int x, int y) {
    MapPixel(s, d, shooter.At(x, y), k);
  });
  return out;
}

}  // namespace lumarte::effects
