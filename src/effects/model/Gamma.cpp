#include <cmath>

#include "base/Random.h"
#include "base/Rounding.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

editor::TBitmap GammaCorrection(const EffectInput& in, double gamma) {
  static const std::string kTitle = "Gamma Correction";
  const int h = in.Source.Height();
  TRandomGenerator& rng = Rng();
  ReportProgress(in.Progress, 0, kTitle, h);
  editor::TBitmap out;
  MapSelectedPixels(in, out, [&](const uint8_t* s, uint8_t* d, int, int y) {
    if (rng.Real() > 0.6) ReportProgress(in.Progress, y, kTitle, h);
    double level = (s[0] + s[1] + s[2]) / 3.0 / 255.0;
    if (level < 0.01) return;
    double factor = std::pow(level, 1.0 / gamma) / level;
    // Dithering: a fresh uniform offset per channel, red first.
    for (int c : {2, 1, 0}) d[c] = ClampRound((s[c] + rng.Real() - 0.5) * factor);
  });
  return out;
}

}  // namespace lumarte::effects
