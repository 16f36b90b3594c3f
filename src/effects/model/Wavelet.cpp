#include "effects/model/Wavelet.h"

#include <cmath>

#include "base/Parallel.h"
#include "imaging/Errors.h"

namespace lumarte::effects {

namespace {

double Hat(double x) {
  return std::abs(x) < 1 ? 1 - std::abs(x) : 0;
}

double Box(double x) {
  return x >= -0.5 && x < 0.5 ? 1 : 0;
}

// The dual of the hat: hat(x) combined with its shifts by the geometric
// weights r^k that make it biorthogonal to the hat.
double DualHat(double x) {
  const double r = -1 / (std::sqrt(3.0) + 2);
  double sum = Hat(x), rk = 1;
  for (int k = 1; k <= 15; ++k) {
    rk *= r;
    sum += rk * (Hat(x + k) + Hat(x - k));
  }
  return std::sqrt(3.0) * sum;
}

// F[m] = the mean over t in [-1, 1] of phi(t) * dual((t - m) / 2) / 2.
template <class Phi, class Dual>
std::array<double, 41> Table(Phi phi, Dual dual) {
  std::array<double, 41> f{};
  for (int m = 0; m <= 20; ++m) {
    double sum = 0;
    for (int t = -1000; t <= 1000; ++t) sum += phi(t / 1000.0) * dual((t / 1000.0 - m) / 2) / 2;
    f[20 + m] = f[20 - m] = sum / 1000;
  }
  return f;
}

double Scaling(MotherWavelet w, double x) {
  return w == MotherWavelet::Hat ? Hat(x) : Box(x);
}

// out[i * outStride] = sum over |m| <= taps of F[m] * in[(2i - m) * inStride],
// for i < outLength; taps outside the input are left out.
void Smooth(const double* f, int taps, const double* in, int inLength, size_t inStride,
            double* out, int outLength, size_t outStride) {
  for (int i = 0; i < outLength; ++i) {
    const int lo = std::max(-taps, 2 * i - inLength + 1), hi = std::min(taps, 2 * i);
    double sum = 0;
    for (int m = lo; m <= hi; ++m) sum += f[m] * in[(2 * i - m) * inStride];
    out[i * outStride] = sum;
  }
}

}  // namespace

const std::array<double, 41>& WaveletTable(MotherWavelet w) {
  static const std::array<double, 41> hat = Table(Hat, DualHat);
  static const std::array<double, 41> box = Table(Box, Box);
  return w == MotherWavelet::Hat ? hat : box;
}

int WaveletTaps(MotherWavelet w, bool twoDimensional) {
  if (w == MotherWavelet::Haar) return 5;
  return twoDimensional ? 10 : 20;
}

TWaveletLevels Decompose(MotherWavelet w, std::vector<double> signal, int iterations) {
  const double* f = WaveletTable(w).data() + 20;
  const int taps = WaveletTaps(w, false);
  TWaveletLevels levels;
  levels.push_back(std::move(signal));
  for (int k = 1; k <= iterations; ++k) {
    const std::vector<double>& prev = levels.back();
    const int n = static_cast<int>(prev.size());
    std::vector<double> next(static_cast<size_t>(std::max(1, n / 2)));
    Smooth(f, taps, prev.data(), n, 1, next.data(), static_cast<int>(next.size()), 1);
    levels.push_back(std::move(next));
  }
  return levels;
}

TWaveletPlanes Decompose2D(MotherWavelet w, TWaveletPlane plane, int iterations) {
  const double* f = WaveletTable(w).data() + 20;
  const int taps = WaveletTaps(w, true);
  TWaveletPlanes levels;
  levels.push_back(std::move(plane));
  for (int k = 1; k <= iterations; ++k) {
    const TWaveletPlane& prev = levels.back();
    TWaveletPlane next{std::max(1, prev.Width / 2), std::max(1, prev.Height / 2), {}};
    // The product F[m] F[n] splits into rows, then columns.
    std::vector<double> rows(static_cast<size_t>(next.Width) * prev.Height);
    ParallelRanges(prev.Height, [&](int64_t y0, int64_t y1) {
      for (int64_t y = y0; y < y1; ++y)
        Smooth(f, taps, &prev.Values[y * prev.Width], prev.Width, 1, &rows[y * next.Width],
               next.Width, 1);
    }, 64);
    next.Values.resize(static_cast<size_t>(next.Width) * next.Height);
    ParallelRanges(next.Width, [&](int64_t x0, int64_t x1) {
      for (int64_t x = x0; x < x1; ++x)
        Smooth(f, taps, &rows[x], prev.Height, next.Width, &next.Values[x], next.Height,
               next.Width);
    }, 64);
    levels.push_back(std::move(next));
  }
  return levels;
}

TReconstructionTaps ReconstructionTaps(MotherWavelet w, int x, int length, int levelLength) {
  // A line of one sample sits at the level's first coefficient.
  const double p = length > 1 ? double(levelLength) * x / (length - 1) : 0;
  const int a = static_cast<int>(std::floor(p)), b = static_cast<int>(std::ceil(p));
  const double f = p - std::floor(p);
  if (a >= 0 && b <= levelLength - 1) return {a, b, Scaling(w, f), Scaling(w, f - 1)};
  if (b > 0 && a >= levelLength - 1)
    return {levelLength - 1, levelLength - 1, Scaling(w, p + 1 - levelLength), 0};
  return {};
}

void CheckWaveletLevel(int level, size_t count) {
  if (level < 0 || static_cast<size_t>(level) >= count)
    throw EWaveletException("Iteration not available");
}

double Reconstruct(MotherWavelet w, int x, int level, const TWaveletLevels& levels) {
  CheckWaveletLevel(level, levels.size());
  const std::vector<double>& c = levels[static_cast<size_t>(level)];
  return Rebuild(c, ReconstructionTaps(w, x, static_cast<int>(levels[0].size()),
                                       static_cast<int>(c.size())));
}

double Reconstruct2D(MotherWavelet w, int x, int y, int level, const TWaveletPlanes& levels) {
  CheckWaveletLevel(level, levels.size());
  const TWaveletPlane& c = levels[static_cast<size_t>(level)];
  return Rebuild(c, ReconstructionTaps(w, x, levels[0].Width, c.Width),
                 ReconstructionTaps(w, y, levels[0].Height, c.Height));
}

}  // namespace lumarte::effects
