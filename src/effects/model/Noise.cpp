#include <cmath>
#include <vector>

#include "effects/model/Random.h"
#include "effects/model/Rounding.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

struct Weights {
  double a[6] = {1, 0, 0, 0, 0, 0};
};

Weights FilterWeights(bool apply, int filter) {
  Weights w;
  if (!apply) return w;
  double* a = w.a;
  a[0] = 0.0025 + filter * 0.6975 * 0.01;
  a[1] = a[2] = 0.4 * (1 - a[0]);
  a[3] = a[4] = 0.4 * (1 - a[0] - a[1] - a[2]);
  a[5] = 0.5 * a[3];
  return w;
}

// A field of rounded Gaussian noise, smoothed in place with its already
// filtered left and upper neighbours; indices wrap around the field.
std::vector<int64_t> NoiseField(int width, int height, double sigma, const Weights& w) {
  TRandomGenerator& rng = Rng();
  const int64_t n = int64_t{width} * height;
  std::vector<int64_t> f(static_cast<size_t>(n));
  for (auto& v : f) v = Round(rng.Gauss(0, sigma));
  const double* a = w.a;
  for (int x = 0; x < width && height > 0; ++x) {
    double g1 = rng.Gauss(0, sigma / 2), g2 = rng.Gauss(0, sigma / 2);
    f[x] = Round(a[0] * f[x] + a[1] * f[x > 0 ? x - 1 : 0] + a[2] * g1 + a[3] * g2);
  }
  auto at = [&](int64_t i) { return static_cast<double>(f[static_cast<size_t>((i + n) % n)]); };
  for (int64_t i = width; i < n; ++i)
    f[i] = Round(a[0] * f[i] + a[1] * at(i - 1) + a[2] * at(i - width) + a[3] * at(i + width) +
                 a[4] * at(i + 1) + a[5] * at(i - width - 1));
  return f;
}

}  // namespace

editor::TBitmap AddNoise(const EffectInput& in, const NoiseParams& p) {
  const double sigma = p.Intensity * 196.0 / 100.0;
  const Weights w = FilterWeights(p.ApplyFilter, p.Filter);
  const int passes = p.Channel == NoiseChannel::All ? 3 : 1;
  const int width = in.Source.Width();
  editor::TBitmap out = in.Source;
  for (int pass = 0; pass < passes; ++pass) {
    std::vector<int64_t> field = NoiseField(width, in.Source.Height(), sigma, w);
    // Byte offsets (blue 0, green 1, red 2) this pass changes.
    bool red = p.Channel == NoiseChannel::Red || p.Channel == NoiseChannel::Grey ||
               (p.Channel == NoiseChannel::All && pass == 0);
    bool green = p.Channel == NoiseChannel::Green || p.Channel == NoiseChannel::Grey ||
                 (p.Channel == NoiseChannel::All && pass == 1);
    bool blue = p.Channel == NoiseChannel::Blue || p.Channel == NoiseChannel::Grey ||
                (p.Channel == NoiseChannel::All && pass == 2);
    ForEachSelectedPixel(in, [&](const uint8_t* s, int x, int y) {
      int64_t noise = field[static_cast<size_t>(y) * width + x];
      uint8_t* d = out.ScanLine(y) + 3 * x;
      if (red) d[2] = ClampByte(noise + s[2]);
      if (green) d[1] = ClampByte(noise + s[1]);
      if (blue) d[0] = ClampByte(noise + s[0]);
    });
  }
  return out;
}

}  // namespace lumarte::effects
