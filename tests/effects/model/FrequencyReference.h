#pragma once
// Literal references for the Fourier and wavelet filters: the radix-2 FFT with
// its bit-reversal copy and trigonometric twiddle recurrence, the filter on
// full complex spectra, and the wavelet decomposition with its double sums.
// They give each output channel's exact value before rounding; the fast code
// must round to the same pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "base/Rounding.h"
#include "editor/model/Bitmap.h"
#include "editor/model/ImageFiles.h"
#include "effects/model/FrequencyEffects.h"

namespace lumarte::reference {

using editor::TBitmap;
using effects::FourierFilterType;
using effects::FourierParams;

inline void FourierTransform(double angle, unsigned n, const double* realIn, const double* imagIn,
                             double* realOut, double* imagOut) {
  unsigned bits = 0;
  while ((1u << bits) < n) ++bits;
  for (unsigned i = 0; i < n; ++i) {
    unsigned r = 0;
    for (unsigned b = 0, k = i; b < bits; ++b, k >>= 1) r = (r << 1) | (k & 1);
    realOut[r] = realIn[i];
    imagOut[r] = imagIn[i];
  }
  for (unsigned blockEnd = 1, blockSize = 2; blockSize <= n; blockEnd = blockSize, blockSize *= 2) {
    const double delta = angle / blockSize;
    const double alpha = 2 * std::sin(0.5 * delta) * std::sin(0.5 * delta);
    const double beta = std::sin(delta);
    for (unsigned i = 0; i < n; i += blockSize) {
      double ar = 1, ai = 0;
      for (unsigned j = i; j < i + blockEnd; ++j) {
        const unsigned k = j + blockEnd;
        const double tr = ar * realOut[k] - ai * imagOut[k];
        const double ti = ar * imagOut[k] + ai * realOut[k];
        realOut[k] = realOut[j] - tr;
        imagOut[k] = imagOut[j] - ti;
        realOut[j] += tr;
        imagOut[j] += ti;
        const double dar = alpha * ar + beta * ai;
        ai -= alpha * ai - beta * ar;
        ar -= dar;
      }
    }
  }
}

// In place on re, im; the inverse divides by n.
inline void Transform(std::vector<double>& re, std::vector<double>& im, bool inverse) {
  const unsigned n = static_cast<unsigned>(re.size());
  std::vector<double> r(n), i(n);
  FourierTransform(inverse ? -2 * std::numbers::pi : 2 * std::numbers::pi, n, re.data(),
                   im.data(), r.data(), i.data());
  for (unsigned k = 0; k < n; ++k) re[k] = inverse ? r[k] / n : r[k], im[k] = inverse ? i[k] / n : i[k];
}

inline double Gain(FourierFilterType t, double at, double c, double s, double half) {
  switch (t) {
    case FourierFilterType::LowPass:
      return at < c ? 1 : std::max(0.0, 1 - (at - c) * half / s);
    case FourierFilterType::HighPass:
      return at > c ? 1 : std::max(0.0, 1 - (c - at) * half / s);
    case FourierFilterType::BandPass:
      return std::max(0.0, 1 - std::abs(at - c) / s);
    case FourierFilterType::BandReject:
      return std::min(1.0, std::abs(at - c) / s);
  }
  return 0;
}

inline unsigned Pow2(int atLeast) {
  unsigned n = 2;
  while (n < static_cast<unsigned>(atLeast)) n *= 2;
  return n;
}

// value[(c * h + y) * w + x]: what channel c of pixel (x, y) becomes before
// rounding, for every pixel of the image.
inline std::vector<double> Fourier(const TBitmap& src, const FourierParams& p) {
  const int w = src.Width(), h = src.Height();
  std::vector<double> v(3 * static_cast<size_t>(w) * h);
  auto at = [&](int c, int x, int y) -> double& { return v[(size_t(c) * h + y) * w + x]; };
  const double sigma = p.WeirdEffect ? -1 : 1;
  const bool plane = p.Orientation == effects::FourierOrientation::TwoDimensional;
  const bool horizontal = p.Orientation == effects::FourierOrientation::Horizontal;
  for (int c = 0; c < 3; ++c) {
    if (!plane) {
      const int length = horizontal ? w : h, lines = horizontal ? h : w;
      const unsigned n = Pow2(length + 10), half = n / 2;
      const int cc = static_cast<int>(half * p.CutOff / 100), ss = static_cast<int>(half * p.Slope / 100);
      for (int line = 0; line < lines; ++line) {
        auto px = [&](int k) {
          return double(horizontal ? src.ScanLine(line)[3 * k + c] : src.ScanLine(k)[3 * line + c]);
        };
        std::vector<double> re(n, 0.0), im(n, 0.0), win(n);
        for (int k = 0; k < length; ++k) re[5 + k] = px(k);
        for (int i = 0; i < 5; ++i) re[i] = (i / 5.0) * px(0), re[length + 9 - i] = (i / 5.0) * px(length - 1);
        for (unsigned i = 0; i < n; ++i) win[i] = 0.54 - 0.46 * std::cos(std::numbers::pi * i / n), re[i] *= win[i];
        Transform(re, im, false);
        for (unsigned i = 0; i < half; ++i) {
          const double g = Gain(p.Type, i, cc, ss, 1);
          re[i] *= sigma * g, im[i] *= sigma * g, re[n - 1 - i] *= g, im[n - 1 - i] *= g;
        }
        if (!p.DisplaySpectrum) Transform(re, im, true);
        for (int k = 0; k < length; ++k) {
          const double value = p.DisplaySpectrum ? std::abs(re[(n / 2) * k / length + 5])
                                                 : re[5 + k] / win[5 + k];
          horizontal ? at(c, k, line) = value : at(c, line, k) = value;
        }
      }
      continue;
    }
    const unsigned nx = Pow2(w), ny = Pow2(h);
    std::vector<std::vector<double>> re(nx, std::vector<double>(ny, 0.0)), im = re;
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < h; ++y) re[x][y] = src.ScanLine(y)[3 * x + c];
    auto transform2 = [&](bool inverse) {
      for (unsigned x = 0; x < nx; ++x) Transform(re[x], im[x], inverse);
      for (unsigned y = 0; y < ny; ++y) {
        std::vector<double> r(nx), i(nx);
        for (unsigned x = 0; x < nx; ++x) r[x] = re[x][y], i[x] = im[x][y];
        Transform(r, i, inverse);
        for (unsigned x = 0; x < nx; ++x) re[x][y] = r[x], im[x][y] = i[x];
      }
    };
    transform2(false);
    const int m = static_cast<int>((nx + ny) / 8), cc = m * p.CutOff / 100, ss = m * p.Slope / 100;
    for (unsigned y = 0; y < ny / 2; ++y)
      for (unsigned x = 0; x < nx / 2; ++x) {
        const double g = Gain(p.Type, x + y, 2 * cc, ss, 0.5);
        for (auto [xx, yy, f] : {std::tuple{x, y, sigma * g}, {x, ny - 1 - y, sigma * g},
                                 {nx - 1 - x, y, g}, {nx - 1 - x, ny - 1 - y, g}})
          re[xx][yy] *= f, im[xx][yy] *= f;
      }
    if (!p.DisplaySpectrum) transform2(true);
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < h; ++y) at(c, x, y) = re[x][y];
  }
  if (p.Normalize && (plane || !p.DisplaySpectrum)) {
    double max = plane ? 1 : 0;
    for (double x : v) max = std::max(max, plane ? x : std::min(x, 255.0));
    if (max > 0)
      for (double& x : v) x *= 255 / max;
  }
  return v;
}

// Pixels of `got` against exact values: equal wherever the value is more
// than 1e-6 away from a rounding boundary. Returns the number checked.
inline int ExpectRoundsTo(const TBitmap& got, const std::vector<double>& exact) {
  const int w = got.Width(), h = got.Height();
  int checked = 0, wrong = 0;
  for (int c = 0; c < 3; ++c)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const double v = exact[(size_t(c) * h + y) * w + x];
        if (std::abs(v - std::floor(v) - 0.5) < 1e-6) continue;
        ++checked;
        const int want = ClampRound(v), have = got.ScanLine(y)[3 * x + c];
        if (want != have && ++wrong <= 5)
          ADD_FAILURE() << "channel " << c << " at " << x << "," << y << ": " << have
                        << " instead of " << want << " (exact " << v << ")";
      }
  EXPECT_EQ(wrong, 0);
  return checked;
}

// A photo, cropped to at most w x h.
inline TBitmap Photo(int w, int h) {
  auto full = editor::LoadImageFile(LUMARTE_CORPUS_DIR "/jpeg/libjpeg-turbo/testorig.jpg");
  TBitmap b(std::min(w, full->Width()), std::min(h, full->Height()));
  b.Draw(0, 0, *full);
  return b;
}

// A synthetic pattern: waves, a sharp edge and a little noise.
inline TBitmap Pattern(int w, int h) {
  TBitmap b(w, h);
  uint32_t s = 1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      s = s * 134775813u + 1;
      const int n = static_cast<int>(s >> 29);
      const double wave = 100 + 90 * std::sin(x * 0.7) * std::cos(y * 0.3);
      b.ScanLine(y)[3 * x] = static_cast<uint8_t>(wave + n);
      b.ScanLine(y)[3 * x + 1] = static_cast<uint8_t>((x > w / 2 ? 230 : 20) + n);
      b.ScanLine(y)[3 * x + 2] = static_cast<uint8_t>((x * 255 / w + y * 3) % 256);
    }
  return b;
}

}  // namespace lumarte::reference
