#include "effects/model/Fourier.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <mutex>
#include <numbers>

#include "base/ParallelTasks.h"
#include "imaging/Errors.h"

namespace lumarte::effects {

namespace {

constexpr unsigned kMaxLength = 32768;

// Offset of block size m's twiddles (m = 4, 8, ...): m/2 per block size.
constexpr size_t Offset(size_t m) {
  return m / 2 - 2;
}

}  // namespace

bool IsPowerOfTwo(unsigned n) {
  return n >= 2 && n <= kMaxLength && (n & (n - 1)) == 0;
}

unsigned NumberOfBitsNeeded(unsigned n) {
  if (n == 0) return 0;
  unsigned i = 0;
  while (!(n & (1u << i))) ++i;
  return i;
}

unsigned ReverseBits(unsigned index, unsigned bits) {
  unsigned r = 0;
  for (unsigned i = 0; i < bits; ++i) {
    r = (r << 1) | (index & 1);
    index >>= 1;
  }
  return r;
}

void CheckFourierLength(unsigned n) {
  if (!IsPowerOfTwo(n))
    throw ELumarteError("Error in procedure Fourier:  NumSamples=" + std::to_string(n) +
                        " is not a positive integer power of 2.");
}

unsigned FourierLength(int64_t length) {
  int64_t n = 2;
  while (n < length && n <= kMaxLength) n *= 2;
  CheckFourierLength(static_cast<unsigned>(std::min<int64_t>(n, UINT32_MAX)));
  return static_cast<unsigned>(n);
}

TFFTPlan::TFFTPlan(unsigned n) : N(n) {
  CheckFourierLength(n);
  const unsigned bits = NumberOfBitsNeeded(n);
  for (unsigned i = 0; i < n; ++i) {
    const unsigned r = ReverseBits(i, bits);
    if (i < r) {
      Swaps.push_back(i);
      Swaps.push_back(r);
    }
  }
  if (n >= 4) {
    Cos.resize(Offset(n) + n / 2);
    Sin.resize(Cos.size());
    for (size_t m = 4; m <= n; m *= 2)
      for (size_t j = 0; j < m / 2; ++j) {
        const double a = 2 * std::numbers::pi * static_cast<double>(j) / static_cast<double>(m);
        Cos[Offset(m) + j] = std::cos(a);
        Sin[Offset(m) + j] = std::sin(a);
      }
  }
}

const TFFTPlan& TFFTPlan::For(unsigned n) {
  CheckFourierLength(n);
  static std::array<std::unique_ptr<TFFTPlan>, 16> plans;
  static std::mutex m;
  std::lock_guard<std::mutex> lock(m);
  auto& p = plans[NumberOfBitsNeeded(n)];
  if (!p) p = std::make_unique<TFFTPlan>(n);
  return *p;
}

namespace {

// The stages of block sizes 2 and 4 together: no multiplications.
void FirstStages(double* re, double* im, size_t n, double sign) {
  for (size_t k = 0; k < n; k += 4) {
    const double ar = re[k] + re[k + 1], ai = im[k] + im[k + 1];
    const double br = re[k] - re[k + 1], bi = im[k] - im[k + 1];
    const double cr = re[k + 2] + re[k + 3], ci = im[k + 2] + im[k + 3];
    const double dr = re[k + 2] - re[k + 3], di = im[k + 2] - im[k + 3];
    // d times +-i
    const double er = -sign * di, ei = sign * dr;
    re[k] = ar + cr, im[k] = ai + ci;
    re[k + 2] = ar - cr, im[k + 2] = ai - ci;
    re[k + 1] = br + er, im[k + 1] = bi + ei;
    re[k + 3] = br - er, im[k + 3] = bi - ei;
  }
}

// One stage of block size m = 2h.
void Stage2(double* __restrict re, double* __restrict im, size_t n, size_t h,
            const double* __restrict wc, const double* __restrict ws, double sign) {
  for (size_t k = 0; k < n; k += 2 * h) {
    double *ar = re + k, *ai = im + k, *br = re + k + h, *bi = im + k + h;
    for (size_t j = 0; j < h; ++j) {
      const double c = wc[j], s = sign * ws[j];
      const double tr = c * br[j] - s * bi[j], ti = c * bi[j] + s * br[j];
      br[j] = ar[j] - tr, bi[j] = ai[j] - ti;
      ar[j] += tr, ai[j] += ti;
    }
  }
}

// The stages of block sizes 2h and 4h in one pass.
void Stage4(double* __restrict re, double* __restrict im, size_t n, size_t h,
            const double* __restrict c1, const double* __restrict s1,
            const double* __restrict c2, const double* __restrict s2, double sign) {
  for (size_t k = 0; k < n; k += 4 * h) {
    double *r0 = re + k, *r1 = r0 + h, *r2 = r1 + h, *r3 = r2 + h;
    double *i0 = im + k, *i1 = i0 + h, *i2 = i1 + h, *i3 = i2 + h;
    for (size_t j = 0; j < h; ++j) {
      const double w1c = c1[j], w1s = sign * s1[j];
      const double w2c = c2[j], w2s = sign * s2[j];
      const double w3c = c2[j + h], w3s = sign * s2[j + h];
      double tr = w1c * r1[j] - w1s * i1[j], ti = w1c * i1[j] + w1s * r1[j];
      const double ar = r0[j] + tr, ai = i0[j] + ti, br = r0[j] - tr, bi = i0[j] - ti;
      tr = w1c * r3[j] - w1s * i3[j], ti = w1c * i3[j] + w1s * r3[j];
      const double cr = r2[j] + tr, ci = i2[j] + ti, dr = r2[j] - tr, di = i2[j] - ti;
      tr = w2c * cr - w2s * ci, ti = w2c * ci + w2s * cr;
      r0[j] = ar + tr, i0[j] = ai + ti, r2[j] = ar - tr, i2[j] = ai - ti;
      tr = w3c * dr - w3s * di, ti = w3c * di + w3s * dr;
      r1[j] = br + tr, i1[j] = bi + ti, r3[j] = br - tr, i3[j] = bi - ti;
    }
  }
}

}  // namespace

void TFFTPlan::Transform(double* re, double* im, double sign) const {
  for (size_t i = 0; i < Swaps.size(); i += 2) {
    std::swap(re[Swaps[i]], re[Swaps[i + 1]]);
    std::swap(im[Swaps[i]], im[Swaps[i + 1]]);
  }
  const size_t n = N;
  if (n == 2) {
    const double r = re[0] - re[1], i = im[0] - im[1];
    re[0] += re[1], im[0] += im[1], re[1] = r, im[1] = i;
    return;
  }
  FirstStages(re, im, n, sign);
  size_t h = 4;  // half the next block size
  if (NumberOfBitsNeeded(N) % 2 == 1) {
    Stage2(re, im, n, h, &Cos[Offset(8)], &Sin[Offset(8)], sign);
    h = 8;
  }
  for (; h < n; h *= 4)
    Stage4(re, im, n, h, &Cos[Offset(2 * h)], &Sin[Offset(2 * h)], &Cos[Offset(4 * h)],
           &Sin[Offset(4 * h)], sign);
}

void TFFTPlan::Forward(double* re, double* im) const {
  Transform(re, im, 1);
}

void TFFTPlan::InverseUnscaled(double* re, double* im) const {
  Transform(re, im, -1);
}

namespace {

void Copy(unsigned n, const double* realIn, const double* imagIn, double* realOut,
          double* imagOut) {
  if (realOut != realIn) std::copy(realIn, realIn + n, realOut);
  if (imagOut != imagIn) std::copy(imagIn, imagIn + n, imagOut);
}

}  // namespace

void FFT(unsigned n, const double* realIn, const double* imagIn, double* realOut,
         double* imagOut) {
  const TFFTPlan& plan = TFFTPlan::For(n);
  Copy(n, realIn, imagIn, realOut, imagOut);
  plan.Forward(realOut, imagOut);
}

void IFFT(unsigned n, const double* realIn, const double* imagIn, double* realOut,
          double* imagOut) {
  const TFFTPlan& plan = TFFTPlan::For(n);
  Copy(n, realIn, imagIn, realOut, imagOut);
  plan.InverseUnscaled(realOut, imagOut);
  for (unsigned i = 0; i < n; ++i) realOut[i] /= n, imagOut[i] /= n;
}

// ---------------------------------------------------------------------------
// Real two-dimensional signals.

namespace {

// Columns are handled kGroup at a time (kGroup / 2 complex pairs), so that
// reading or writing one row of the group touches one cache line.
constexpr unsigned kGroup = 8;

struct Scratch {
  std::vector<double> Re, Im, Columns;
};

}  // namespace

TRealSpectrum2D::TRealSpectrum2D(unsigned nx, unsigned ny)
    : NX(nx), NY(ny), Rows(ny / 2 + 1) {
  CheckFourierLength(nx);
  CheckFourierLength(ny);
  Re.resize(static_cast<size_t>(Rows) * nx);
  Im.resize(Re.size());
}

void TRealSpectrum2D::Forward(const Sampler& column, unsigned usedColumns,
                              const std::function<void()>& poll) {
  const TFFTPlan& colPlan = TFFTPlan::For(NY);
  const TFFTPlan& rowPlan = TFFTPlan::For(NX);
  const size_t ny = NY, nx = NX;
  std::vector<Scratch> scratch(static_cast<size_t>(ParallelThreads()));
  const unsigned groups = (NX + kGroup - 1) / kGroup;
  // Columns: two real columns x, x+1 as one complex one, then apart again.
  ParallelTasks(
      groups,
      [&](int64_t g, int worker) {
        Scratch& s = scratch[static_cast<size_t>(worker)];
        s.Re.resize(ny), s.Im.resize(ny);
        const unsigned x0 = static_cast<unsigned>(g) * kGroup;
        for (unsigned x = x0; x < std::min(x0 + kGroup, NX); x += 2) {
          double* out = nullptr;
          if (x < usedColumns) {
            column(x, s.Re.data());
            if (x + 1 < usedColumns)
              column(x + 1, s.Im.data());
            else
              std::fill(s.Im.begin(), s.Im.end(), 0.0);
            colPlan.Forward(s.Re.data(), s.Im.data());
            out = s.Re.data();
          }
          for (size_t y = 0; y < Rows; ++y) {
            const size_t at = y * nx + x;
            if (!out) {
              Re[at] = Im[at] = Re[at + 1] = Im[at + 1] = 0;
              continue;
            }
            const size_t m = (ny - y) & (ny - 1);
            const double zr = s.Re[y], zi = s.Im[y], wr = s.Re[m], wi = s.Im[m];
            Re[at] = 0.5 * (zr + wr), Im[at] = 0.5 * (zi - wi);
            Re[at + 1] = 0.5 * (zi + wi), Im[at + 1] = 0.5 * (wr - zr);
          }
        }
      },
      poll);
  ParallelTasks(
      Rows, [&](int64_t y, int) { rowPlan.Forward(&Re[y * nx], &Im[y * nx]); }, poll);
}

void TRealSpectrum2D::InverseUnscaled(const Sink& put, unsigned usedColumns,
                                      const std::function<void()>& poll) {
  const TFFTPlan& colPlan = TFFTPlan::For(NY);
  const TFFTPlan& rowPlan = TFFTPlan::For(NX);
  const size_t ny = NY, nx = NX;
  ParallelTasks(
      Rows, [&](int64_t y, int) { rowPlan.InverseUnscaled(&Re[y * nx], &Im[y * nx]); }, poll);
  std::vector<Scratch> scratch(static_cast<size_t>(ParallelThreads()));
  const unsigned groups = (std::min(usedColumns, NX) + 1) / 2;
  // Each column is now the spectrum of a real column: column x plus i times
  // column x+1 transforms back into both at once.
  ParallelTasks(
      groups,
      [&](int64_t g, int worker) {
        Scratch& s = scratch[static_cast<size_t>(worker)];
        s.Re.resize(ny), s.Im.resize(ny);
        const size_t x = 2 * static_cast<size_t>(g);
        for (size_t y = 0; y < Rows; ++y) {
          const size_t at = y * nx + x;
          s.Re[y] = Re[at] - Im[at + 1];
          s.Im[y] = Im[at] + Re[at + 1];
        }
        for (size_t y = Rows; y < ny; ++y) {
          const size_t at = (ny - y) * nx + x;
          s.Re[y] = Re[at] + Im[at + 1];
          s.Im[y] = Re[at + 1] - Im[at];
        }
        colPlan.InverseUnscaled(s.Re.data(), s.Im.data());
        put(static_cast<unsigned>(x), s.Re.data());
        if (x + 1 < usedColumns) put(static_cast<unsigned>(x + 1), s.Im.data());
      },
      poll);
}

}  // namespace lumarte::effects
