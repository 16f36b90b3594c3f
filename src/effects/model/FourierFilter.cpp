// The Fourier transform filter. Every line (or the whole channel) is a real
// signal, so the filtered image is the real part of the inverse transform.
// That real part is the inverse of the spectrum's conjugate-symmetric part,
// which for a real gain G is the spectrum times (G(k) + G(-k)) / 2: so two
// real lines travel as one complex signal, and a whole channel through its
// half spectrum, each at half the cost of a complex transform.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <numbers>

#include "base/FastRound.h"
#include "base/ParallelTasks.h"
#include "base/Rounding.h"
#include "effects/model/Fourier.h"
#include "effects/model/FrequencyEffects.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;

const char* const kTitle = "Fourier Transform Filter";

// Where the filtered values go: straight into the result, or kept until the
// maximum over the whole image is known ("Normalize").
class Output {
 public:
  Output(const EffectInput& in, TBitmap& out, bool normalize, bool capAt255)
      : In(in), Out(out), Normalize(normalize), Cap(capAt255) {
    if (Normalize) Kept.resize(3 * static_cast<size_t>(out.Width()) * out.Height());
  }
  void Put(int channel, int x, int y, double v) {
    if (Normalize) {
      Kept[Index(channel, x, y)] = v;
      return;
    }
    Write(channel, x, y, v);
  }
  // With "Normalize": scales so that the largest value becomes 255; a
  // maximum of 0 (nothing bright) leaves the values as they are.
  void Finish(double startMax) {
    if (!Normalize) return;
    double max = startMax;
    for (double v : Kept) max = std::max(max, Cap ? std::min(v, 255.0) : v);
    const double f = max > 0 ? 255.0 / max : 1.0;
    for (int c = 0; c < 3; ++c)
      for (int y = 0; y < Out.Height(); ++y)
        for (int x = 0; x < Out.Width(); ++x) Write(c, x, y, f * Kept[Index(c, x, y)]);
  }

 private:
  size_t Index(int c, int x, int y) const {
    return (static_cast<size_t>(c) * Out.Height() + y) * Out.Width() + x;
  }
  void Write(int channel, int x, int y, double v) {
    if (In.Selection.SelectsAll() || In.Selection.InSelection(x, y))
      Out.ScanLine(y)[3 * x + channel] = FastClampRound(v);
  }
  const EffectInput& In;
  TBitmap& Out;
  bool Normalize, Cap;
  std::vector<double> Kept;
};

// Reports every 100 lines and looks for Abort before every task.
class LineProgress {
 public:
  LineProgress(ProgressReporter& progress, int64_t total) : Progress(progress), Total(total) {}
  std::atomic<int64_t> Done{0};
  void Poll() {
    const int64_t done = Done;
    if (done / 100 != Reported / 100 || Reported < 0) {
      Reported = done;
      ReportProgress(Progress, static_cast<int>(done), kTitle, static_cast<int>(Total));
    } else if (Progress.AbortRequested()) {
      ReportProgress(Progress, static_cast<int>(done), kTitle, static_cast<int>(Total));
    }
  }

 private:
  ProgressReporter& Progress;
  int64_t Total, Reported = -1;
};

// The gains of the one-dimensional filter shape for every coefficient.
std::vector<double> LineGains(const FourierParams& p, unsigned n) {
  const unsigned half = n / 2;
  const double c = half * p.CutOff / 100, s = half * p.Slope / 100;
  const double sigma = p.WeirdEffect ? -1 : 1;
  std::vector<double> g(n);
  for (unsigned i = 0; i < half; ++i) {
    const double gain = FourierGain(p.Type, i, c, s, 1);
    g[i] = sigma * gain;
    g[n - 1 - i] = gain;
  }
  return g;
}

// One line as the transform's input: lead-in, the pixels, lead-out, zeros,
// times the window.
void LoadLine(const TBitmap& src, bool horizontal, int line, int channel, int length,
              const std::vector<double>& window, double* s) {
  const unsigned n = static_cast<unsigned>(window.size());
  auto pixel = [&](int k) {
    return static_cast<double>(horizontal ? src.ScanLine(line)[3 * k + channel]
                                          : src.ScanLine(k)[3 * line + channel]);
  };
  std::fill(s, s + n, 0.0);
  for (int k = 0; k < length; ++k) s[5 + k] = pixel(k);
  const double first = pixel(0), last = pixel(length - 1);
  for (int i = 0; i < 5; ++i) {
    s[i] = (i / 5.0) * first;
    s[length + 9 - i] = (i / 5.0) * last;
  }
  for (unsigned i = 0; i < n; ++i) s[i] *= window[i];
}

void FilterLines(const EffectInput& in, const FourierParams& p, Output& out) {
  const TBitmap& src = in.Source;
  const bool horizontal = p.Orientation == FourierOrientation::Horizontal;
  const int length = horizontal ? src.Width() : src.Height();
  const int lines = horizontal ? src.Height() : src.Width();
  const unsigned n = FourierLength(int64_t{length} + 10);
  const TFFTPlan& plan = TFFTPlan::For(n);
  std::vector<double> window(n);
  for (unsigned i = 0; i < n; ++i) window[i] = 0.54 - 0.46 * std::cos(std::numbers::pi * i / n);
  const std::vector<double> gain = LineGains(p, n);
  std::vector<double> even(n);  // (G(k) + G(-k)) / 2, and the inverse's 1/n
  for (unsigned k = 0; k < n; ++k) even[k] = 0.5 * (gain[k] + gain[(n - k) % n]) / n;

  const int pairs = (lines + 1) / 2;
  LineProgress progress(in.Progress, int64_t{3} * lines);
  std::vector<std::vector<double>> scratch(static_cast<size_t>(2 * ParallelThreads()),
                                           std::vector<double>(n));
  auto put = [&](int c, int line, int k, double v) {
    horizontal ? out.Put(c, k, line, v) : out.Put(c, line, k, v);
  };
  ParallelTasks(
      3 * int64_t{pairs},
      [&](int64_t task, int worker) {
        const int c = static_cast<int>(task / pairs), a = 2 * static_cast<int>(task % pairs);
        const bool two = a + 1 < lines;
        double* re = scratch[2 * static_cast<size_t>(worker)].data();
        double* im = scratch[2 * static_cast<size_t>(worker) + 1].data();
        LoadLine(src, horizontal, a, c, length, window, re);
        if (two)
          LoadLine(src, horizontal, a + 1, c, length, window, im);
        else
          std::fill(im, im + n, 0.0);
        plan.Forward(re, im);
        if (p.DisplaySpectrum) {
          for (int k = 0; k < length; ++k) {
            const unsigned i = static_cast<unsigned>((n / 2) * static_cast<int64_t>(k) / length + 5);
            const unsigned m = (n - i) % n;
            // The real parts of the two lines' spectra, apart again.
            put(c, a, k, ClampRound(std::abs(gain[i] * 0.5 * (re[i] + re[m]))));
            if (two) put(c, a + 1, k, ClampRound(std::abs(gain[i] * 0.5 * (im[i] + im[m]))));
          }
        } else {
          for (unsigned k = 0; k < n; ++k) re[k] *= even[k], im[k] *= even[k];
          plan.InverseUnscaled(re, im);
          for (int k = 0; k < length; ++k) {
            put(c, a, k, re[5 + k] / window[5 + k]);
            if (two) put(c, a + 1, k, im[5 + k] / window[5 + k]);
          }
        }
        progress.Done += two ? 2 : 1;
      },
      [&] { progress.Poll(); });
}

// The two-dimensional gain at spectrum index (x, y), from the gains g(d) of
// the distance d = x + y of its quadrant's corner.
struct PlaneGains {
  PlaneGains(const FourierParams& p, unsigned nx, unsigned ny) : NX(nx), NY(ny) {
    const int m = static_cast<int>((nx + ny) / 8);
    const double c = m * p.CutOff / 100, s = m * p.Slope / 100;
    Sigma = p.WeirdEffect ? -1 : 1;
    ByDistance.resize(nx / 2 + ny / 2);
    for (size_t d = 0; d < ByDistance.size(); ++d)
      ByDistance[d] = FourierGain(p.Type, static_cast<double>(d), 2 * c, s, 0.5);
  }
  double At(unsigned x, unsigned y) const {
    const unsigned dx = x < NX / 2 ? x : NX - 1 - x, dy = y < NY / 2 ? y : NY - 1 - y;
    return (x < NX / 2 ? Sigma : 1) * ByDistance[dx + dy];
  }
  unsigned NX, NY;
  double Sigma;
  std::vector<double> ByDistance;
};

void FilterPlane(const EffectInput& in, const FourierParams& p, Output& out) {
  const TBitmap& src = in.Source;
  const int width = src.Width(), height = src.Height();
  const unsigned nx = FourierLength(width), ny = FourierLength(height);
  const PlaneGains gains(p, nx, ny);
  TRealSpectrum2D spectrum(nx, ny);
  for (int c = 0; c < 3; ++c) {
    auto poll = [&] { ReportProgress(in.Progress, c, kTitle, 3); };
    poll();
    spectrum.Forward(
        [&](unsigned x0, unsigned count, double* block, size_t stride) {
          for (int y = 0; y < height; ++y) {
            const uint8_t* row = src.ScanLine(y) + 3 * x0 + c;
            for (unsigned i = 0; i < count; ++i) block[y * stride + i] = row[3 * i];
          }
        },
        static_cast<unsigned>(width), poll);
    if (p.DisplaySpectrum) {
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          const unsigned ux = static_cast<unsigned>(x), uy = static_cast<unsigned>(y);
          // The lower half is the mirror of the upper one.
          const size_t at = uy < spectrum.Rows ? uy * size_t{nx} + ux
                                               : (ny - uy) * size_t{nx} + (nx - ux) % nx;
          out.Put(c, x, y, gains.At(ux, uy) * spectrum.Re[at]);
        }
      continue;
    }
    const double scale = 1.0 / (double(nx) * ny);
    for (unsigned y = 0; y < spectrum.Rows; ++y)
      for (unsigned x = 0; x < nx; ++x) {
        const double g = 0.5 * (gains.At(x, y) + gains.At((nx - x) % nx, (ny - y) % ny)) * scale;
        spectrum.Re[y * size_t{nx} + x] *= g;
        spectrum.Im[y * size_t{nx} + x] *= g;
      }
    spectrum.InverseUnscaled(
        [&](unsigned x0, unsigned count, const double* block, size_t stride) {
          for (int y = 0; y < height; ++y)
            for (unsigned i = 0; i < count; ++i)
              out.Put(c, static_cast<int>(x0 + i), y, block[y * stride + i]);
        },
        static_cast<unsigned>(width), poll);
  }
}

// dist / s, where a slope of 0 makes any distance infinitely far.
double Ratio(double dist, double s) {
  if (s > 0) return dist / s;
  return dist > 0 ? std::numeric_limits<double>::infinity() : 0;
}

}  // namespace

double FourierGain(FourierFilterType type, double at, double c, double s, double half) {
  switch (type) {
    case FourierFilterType::LowPass:
      return at < c ? 1 : std::max(0.0, 1 - Ratio((at - c) * half, s));
    case FourierFilterType::HighPass:
      return at > c ? 1 : std::max(0.0, 1 - Ratio((c - at) * half, s));
    case FourierFilterType::BandPass:
      return std::max(0.0, 1 - Ratio(std::abs(at - c), s));
    case FourierFilterType::BandReject:
      return std::min(1.0, Ratio(std::abs(at - c), s));
  }
  return 1;
}

TBitmap FourierTransformFilter(const EffectInput& in, const FourierParams& p) {
  TBitmap out = in.Source;
  if (out.Empty()) return out;
  const bool plane = p.Orientation == FourierOrientation::TwoDimensional;
  // The one-dimensional spectrum is shown as it is, never normalised.
  const bool normalize = p.Normalize && (plane || !p.DisplaySpectrum);
  Output values(in, out, normalize, !plane);
  if (plane)
    FilterPlane(in, p, values);
  else
    FilterLines(in, p, values);
  values.Finish(plane ? 1 : 0);
  return out;
}

}  // namespace lumarte::effects
