#include <cmath>

#include "base/Rounding.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

double Factor(int position, double k) {
  double f = std::abs(position) / 100.0 * k + 1.0;
  return position < 0 ? 1.0 / f : f;
}

// The whole channel mapping in one table: a factor per channel is constant.
std::array<uint8_t, 256> ScaleTable(double f) {
  std::array<uint8_t, 256> t{};
  for (int v = 0; v < 256; ++v) t[v] = ClampRound(v * f);
  return t;
}

}  // namespace

editor::TBitmap Brightness(const EffectInput& in, const BrightnessParams& p) {
  static constexpr double kRange[] = {0.25, 1.0, 9.0};
  double k = kRange[p.Range < 0 || p.Range > 2 ? 1 : p.Range];
  auto red = ScaleTable(Factor(p.Red, k));
  auto green = ScaleTable(Factor(p.Green, k));
  auto blue = ScaleTable(Factor(p.Blue, k));
  editor::TBitmap out;
  MapSelectedPixels(in, out, [&](const uint8_t* s, uint8_t* d, int, int) {
    d[0] = blue[s[0]];
    d[1] = green[s[1]];
    d[2] = red[s[2]];
  });
  return out;
}

}  // namespace lumarte::effects
