#include <algorithm>
#include <cmath>
#include <vector>

#include "base/Parallel.h"
#include "base/Random.h"
#include "base/Rounding.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

// Noise values stay far inside 32 bits (a few thousand at most); half the
// memory of 64-bit ones.
using Field = std::vector<int32_t>;

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

// Rounded Gaussian noise for every pixel, two draws each. The generator is
// sequential, but each thread jumps ahead to its part's first draw, so the
// field is the same however the work is split.
void FillGaussian(Field& f, double sigma) {
  const uint32_t start = Rng().State;
  ParallelRanges(static_cast<int64_t>(f.size()), [&](int64_t begin, int64_t end) {
    TRandomGenerator rng{start};
    rng.Skip(2 * static_cast<uint64_t>(begin));
    for (int64_t i = begin; i < end; ++i) f[static_cast<size_t>(i)] = static_cast<int32_t>(Round(rng.Gauss(0, sigma)));
  });
  Rng().Skip(2 * static_cast<uint64_t>(f.size()));
}

// Smooths the field in place with its already filtered left and upper
// neighbours; indices wrap around the field.
void Smooth(Field& f, int width, const Weights& w) {
  const int64_t n = static_cast<int64_t>(f.size());
  const double* a = w.a;
  auto at = [&](int64_t i) { return static_cast<double>(f[static_cast<size_t>((i + n) % n)]); };
  auto step = [&](int64_t i, auto&& get) {
    f[static_cast<size_t>(i)] = static_cast<int32_t>(
        Round(a[0] * get(i) + a[1] * get(i - 1) + a[2] * get(i - width) + a[3] * get(i + width) +
              a[4] * get(i + 1) + a[5] * get(i - width - 1)));
  };
  auto direct = [&](int64_t i) { return static_cast<double>(f[static_cast<size_t>(i)]); };
  // Only the first pixel of the second row and the last row reach round.
  const int64_t interiorEnd = std::max<int64_t>(width + 1, n - width);
  if (width < n) step(width, at);
  for (int64_t i = width + 1; i < interiorEnd; ++i) step(i, direct);
  for (int64_t i = interiorEnd; i < n; ++i) step(i, at);
}

// A field of rounded Gaussian noise, its first row blended with fresh draws,
// then smoothed unless the filter is off.
Field NoiseField(int width, int height, double sigma, const Weights& w,
                                bool smooth) {
  TRandomGenerator& rng = Rng();
  const int64_t n = int64_t{width} * height;
  Field f(static_cast<size_t>(n));
  FillGaussian(f, sigma);
  const double* a = w.a;
  for (int x = 0; x < width && height > 0; ++x) {
    double g1 = rng.Gauss(0, sigma / 2), g2 = rng.Gauss(0, sigma / 2);
    f[x] = static_cast<int32_t>(
        Round(a[0] * f[x] + a[1] * f[x > 0 ? x - 1 : 0] + a[2] * g1 + a[3] * g2));
  }
  if (smooth) Smooth(f, width, w);
  return f;
}

}  // namespace

editor::TBitmap AddNoise(const EffectInput& in, const NoiseParams& p) {
  const double sigma = p.Intensity * 196.0 / 100.0;
  const Weights w = FilterWeights(p.ApplyFilter, p.Filter);
  const int passes = p.Channel == NoiseChannel::All ? 3 : 1;
  const int width = in.Source.Width();
  // The fields in the order they draw: red, green, blue for all colours.
  std::vector<Field> fields;
  for (int pass = 0; pass < passes; ++pass)
    fields.push_back(NoiseField(width, in.Source.Height(), sigma, w, p.ApplyFilter));
  // The field each byte (blue 0, green 1, red 2) takes; none is null.
  const Field* of[3] = {};
  switch (p.Channel) {
    case NoiseChannel::All:
      of[2] = &fields[0], of[1] = &fields[1], of[0] = &fields[2];
      break;
    case NoiseChannel::Grey:
      of[0] = of[1] = of[2] = &fields[0];
      break;
    case NoiseChannel::Red:
      of[2] = &fields[0];
      break;
    case NoiseChannel::Green:
      of[1] = &fields[0];
      break;
    case NoiseChannel::Blue:
      of[0] = &fields[0];
      break;
  }
  const uint8_t* base = in.Source.ScanLine(0);
  return MapRuns(in, [&](const uint8_t* s, uint8_t* d, int count) {
    size_t i = static_cast<size_t>(s - base) / 3;
    for (int k = 0; k < count; ++k, ++i)
      for (int b = 0; b < 3; ++b)
        d[3 * k + b] = of[b] ? ClampByte((*of[b])[i] + s[3 * k + b]) : s[3 * k + b];
  });
}

}  // namespace lumarte::effects
