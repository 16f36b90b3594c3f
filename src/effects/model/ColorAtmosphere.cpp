#include <cmath>

#include "base/Random.h"
#include "base/Rounding.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

editor::TBitmap ColorAtmosphere(const EffectInput& in, AtmosphereMode mode, int intensity) {
  static constexpr double kCoefficients[5][3] = {
      {-0.4, 0.1, 0.3}, {0.6, 0.2, -0.8}, {0.8, -0.4, -0.4}, {-0.4, 0.8, -0.4}, {-0.4, -0.4, 0.8}};
  const double s = (std::exp(intensity / 100.0) - 1) * 0.3 + 0.02;
  const double* k = kCoefficients[static_cast<int>(mode)];
  // The mode's coefficients scaled by the strength (once).
  const double kR = k[0] * s, kG = k[1] * s, kB = k[2] * s;
  TRandomGenerator& rng = Rng();
  editor::TBitmap out;
  MapSelectedPixels(in, out, [&](const uint8_t* px, uint8_t* d, int, int) {
    int r = px[2], g = px[1], b = px[0];
    double shift[3] = {(2 * r + g + b) * kR, (r + 2 * g + b) * kG, (r + g + 2 * b) * kB};
    double sum = shift[0] + shift[1] + shift[2];
    for (int round = 0; round < 31 && std::abs(sum) >= 3; ++round) {
      for (double& v : shift)
        if (rng.Real() > 0.5) v *= v * sum <= 0 ? 1.1 : 0.95;
      sum = shift[0] + shift[1] + shift[2];
    }
    d[2] = ClampRound(r + shift[0]);
    d[1] = ClampRound(g + shift[1]);
    d[0] = ClampRound(b + shift[2]);
  });
  return out;
}

}  // namespace lumarte::effects
