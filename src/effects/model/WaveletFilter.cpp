// The wavelet filter: every line (or the whole channel) through the pyramid,
// rebuilt from its coarsest level (low pass), the image minus that (high
// pass), or the difference of the two coarsest levels (one band).
#include <atomic>

#include "base/ParallelTasks.h"
#include "base/Rounding.h"
#include "effects/model/Wavelet.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;

const char* const kTitle = "Wavelet Transform";

// The pixel's new channel value from the rebuilt values of the two coarsest
// levels (fine = level N - 1, coarse = level N).
uint8_t Result(WaveletFilter filter, uint8_t document, double fine, double coarse) {
  switch (filter) {
    case WaveletFilter::LowPass:
      return ClampRound(coarse);
    case WaveletFilter::HighPass:
      return ClampByte(int64_t{document} - ClampRound(coarse));
    case WaveletFilter::SingleSpace:
      return ClampRound(fine - coarse);
  }
  return document;
}

bool Selected(const EffectInput& in, int x, int y) {
  return in.Selection.SelectsAll() || in.Selection.InSelection(x, y);
}

// The reconstruction taps of every sample of a line for one level.
std::vector<TReconstructionTaps> LineTaps(MotherWavelet w, int length, int levelLength) {
  std::vector<TReconstructionTaps> taps(static_cast<size_t>(length));
  for (int x = 0; x < length; ++x) taps[static_cast<size_t>(x)] = ReconstructionTaps(w, x, length, levelLength);
  return taps;
}

// The length of level k of a line of `length` samples.
int LevelLength(int length, int k) {
  for (int i = 0; i < k; ++i) length = std::max(1, length / 2);
  return length;
}

void FilterLines(const EffectInput& in, const WaveletParams& p, TBitmap& out) {
  const TBitmap& src = in.Source;
  const bool horizontal = p.Orientation == WaveletOrientation::Horizontal;
  const editor::TRect& cand = in.Selection.Candidates();
  // Only lines through the selection's bounds change.
  const int first = horizontal ? cand.Top : cand.Left;
  const int lines = (horizontal ? cand.Bottom : cand.Right) - first + 1;
  const int length = horizontal ? src.Width() : src.Height();
  const int n = p.Iterations;
  const auto coarse = LineTaps(p.Wavelet, length, LevelLength(length, n));
  const auto fine = LineTaps(p.Wavelet, length, LevelLength(length, n - 1));
  auto at = [&](int line, int k, int c) -> const uint8_t& {
    return horizontal ? src.ScanLine(line)[3 * k + c] : src.ScanLine(k)[3 * line + c];
  };
  std::atomic<int64_t> done{0};
  ParallelTasks(
      3 * int64_t{lines},
      [&](int64_t task, int) {
        const int c = static_cast<int>(task / lines), line = first + static_cast<int>(task % lines);
        std::vector<double> signal(static_cast<size_t>(length));
        for (int k = 0; k < length; ++k) signal[static_cast<size_t>(k)] = at(line, k, c);
        const TWaveletLevels levels = Decompose(p.Wavelet, std::move(signal), n);
        for (int k = 0; k < length; ++k) {
          const int x = horizontal ? k : line, y = horizontal ? line : k;
          if (!Selected(in, x, y)) continue;
          const size_t i = static_cast<size_t>(k);
          const double low = Rebuild(levels[static_cast<size_t>(n)], coarse[i]);
          const double band = p.Filter == WaveletFilter::SingleSpace
                                  ? Rebuild(levels[static_cast<size_t>(n - 1)], fine[i])
                                  : 0;
          out.ScanLine(y)[3 * x + c] = Result(p.Filter, at(line, k, c), band, low);
        }
        ++done;
      },
      [&] { ReportProgress(in.Progress, static_cast<int>(done), kTitle, 3 * lines); });
}

void FilterPlane(const EffectInput& in, const WaveletParams& p, TBitmap& out) {
  const TBitmap& src = in.Source;
  const int width = src.Width(), height = src.Height(), n = p.Iterations;
  const auto step = [&](int c, int s) { ReportProgress(in.Progress, 4 * c + s, kTitle, 11); };
  const editor::TRect& cand = in.Selection.Candidates();
  for (int c = 0; c < 3; ++c) {
    step(c, 0);
    TWaveletPlane plane{width, height, std::vector<double>(static_cast<size_t>(width) * height)};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        plane.Values[static_cast<size_t>(y) * width + x] = src.ScanLine(y)[3 * x + c];
    step(c, 1);
    const TWaveletPlanes levels = Decompose2D(p.Wavelet, std::move(plane), n);
    step(c, 2);
    const TWaveletPlane& low = levels[static_cast<size_t>(n)];
    const TWaveletPlane& high = levels[static_cast<size_t>(n - 1)];
    const auto lowX = LineTaps(p.Wavelet, width, low.Width);
    const auto lowY = LineTaps(p.Wavelet, height, low.Height);
    const auto highX = LineTaps(p.Wavelet, width, high.Width);
    const auto highY = LineTaps(p.Wavelet, height, high.Height);
    ParallelRanges(
        cand.Bottom - cand.Top + 1,
        [&](int64_t r0, int64_t r1) {
          for (int y = cand.Top + static_cast<int>(r0); y < cand.Top + r1; ++y) {
            const size_t iy = static_cast<size_t>(y);
            for (int x = cand.Left; x <= cand.Right; ++x) {
              if (!Selected(in, x, y)) continue;
              const size_t ix = static_cast<size_t>(x);
              const double l = Rebuild(low, lowX[ix], lowY[iy]);
              const double b =
                  p.Filter == WaveletFilter::SingleSpace ? Rebuild(high, highX[ix], highY[iy]) : 0;
              uint8_t* d = out.ScanLine(y) + 3 * x + c;
              *d = Result(p.Filter, *d, b, l);
            }
          }
        },
        16);
    step(c, 3);
  }
}

}  // namespace

TBitmap WaveletTransformFilter(const EffectInput& in, const WaveletParams& p) {
  TBitmap out = in.Source;
  const editor::TRect& cand = in.Selection.Candidates();
  if (out.Empty() || cand.Right < cand.Left || cand.Bottom < cand.Top) return out;
  // The dialog asks for levels N and N - 1 with N >= 1.
  CheckWaveletLevel(p.Iterations - 1, static_cast<size_t>(std::max(0, p.Iterations)));
  if (p.Orientation == WaveletOrientation::TwoDimensional)
    FilterPlane(in, p, out);
  else
    FilterLines(in, p, out);
  return out;
}

}  // namespace lumarte::effects
