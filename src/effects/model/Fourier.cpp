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

// The kernels work on `L` interleaved signals at once: sample k of signal l
// at k * L + l. One signal (L = 1) is a row; several are a block of columns,
// which keeps every access to a column inside a cache line.

// The stages of block sizes 2 and 4 together: no multiplications.
template <size_t L>
void FirstStages(double* __restrict re, double* __restrict im, size_t n, double sign) {
  for (size_t k = 0; k < n; k += 4)
    for (size_t l = 0; l < L; ++l) {
      double *r = re + k * L + l, *i = im + k * L + l;
      const double ar = r[0] + r[L], ai = i[0] + i[L];
      const double br = r[0] - r[L], bi = i[0] - i[L];
      const double cr = r[2 * L] + r[3 * L], ci = i[2 * L] + i[3 * L];
      const double dr = r[2 * L] - r[3 * L], di = i[2 * L] - i[3 * L];
      // d times +-i
      const double er = -sign * di, ei = sign * dr;
      r[0] = ar + cr, i[0] = ai + ci;
      r[2 * L] = ar - cr, i[2 * L] = ai - ci;
      r[L] = br + er, i[L] = bi + ei;
      r[3 * L] = br - er, i[3 * L] = bi - ei;
    }
}

// One stage of block size m = 2h.
template <size_t L>
void Stage2(double* __restrict re, double* __restrict im, size_t n, size_t h,
            const double* __restrict wc, const double* __restrict ws, double sign) {
  for (size_t k = 0; k < n; k += 2 * h)
    for (size_t j = 0; j < h; ++j) {
      const double c = wc[j], s = sign * ws[j];
      double *ar = re + (k + j) * L, *ai = im + (k + j) * L;
      double *br = ar + h * L, *bi = ai + h * L;
      for (size_t l = 0; l < L; ++l) {
        const double tr = c * br[l] - s * bi[l], ti = c * bi[l] + s * br[l];
        br[l] = ar[l] - tr, bi[l] = ai[l] - ti;
        ar[l] += tr, ai[l] += ti;
      }
    }
}

// The stages of block sizes 2h and 4h in one pass.
template <size_t L>
void Stage4(double* __restrict re, double* __restrict im, size_t n, size_t h,
            const double* __restrict c1, const double* __restrict s1,
            const double* __restrict c2, const double* __restrict s2, double sign) {
  const size_t q = h * L;
  for (size_t k = 0; k < n; k += 4 * h)
    for (size_t j = 0; j < h; ++j) {
      const double w1c = c1[j], w1s = sign * s1[j];
      const double w2c = c2[j], w2s = sign * s2[j];
      const double w3c = c2[j + h], w3s = sign * s2[j + h];
      double *r0 = re + (k + j) * L, *i0 = im + (k + j) * L;
      for (size_t l = 0; l < L; ++l) {
        double *r = r0 + l, *i = i0 + l;
        double tr = w1c * r[q] - w1s * i[q], ti = w1c * i[q] + w1s * r[q];
        const double ar = r[0] + tr, ai = i[0] + ti, br = r[0] - tr, bi = i[0] - ti;
        tr = w1c * r[3 * q] - w1s * i[3 * q], ti = w1c * i[3 * q] + w1s * r[3 * q];
        const double cr = r[2 * q] + tr, ci = i[2 * q] + ti;
        const double dr = r[2 * q] - tr, di = i[2 * q] - ti;
        tr = w2c * cr - w2s * ci, ti = w2c * ci + w2s * cr;
        r[0] = ar + tr, i[0] = ai + ti, r[2 * q] = ar - tr, i[2 * q] = ai - ti;
        tr = w3c * dr - w3s * di, ti = w3c * di + w3s * dr;
        r[q] = br + tr, i[q] = bi + ti, r[3 * q] = br - tr, i[3 * q] = bi - ti;
      }
    }
}

}  // namespace

template <size_t L>
void TFFTPlan::Transform(double* re, double* im, double sign) const {
  for (size_t s = 0; s < Swaps.size(); s += 2)
    for (size_t l = 0; l < L; ++l) {
      std::swap(re[Swaps[s] * L + l], re[Swaps[s + 1] * L + l]);
      std::swap(im[Swaps[s] * L + l], im[Swaps[s + 1] * L + l]);
    }
  const size_t n = N;
  if (n == 2) {
    for (size_t l = 0; l < L; ++l) {
      const double r = re[l] - re[L + l], i = im[l] - im[L + l];
      re[l] += re[L + l], im[l] += im[L + l], re[L + l] = r, im[L + l] = i;
    }
    return;
  }
  FirstStages<L>(re, im, n, sign);
  size_t h = 4;  // half the next block size
  if (NumberOfBitsNeeded(N) % 2 == 1) {
    Stage2<L>(re, im, n, h, &Cos[Offset(8)], &Sin[Offset(8)], sign);
    h = 8;
  }
  for (; h < n; h *= 4)
    Stage4<L>(re, im, n, h, &Cos[Offset(2 * h)], &Sin[Offset(2 * h)], &Cos[Offset(4 * h)],
              &Sin[Offset(4 * h)], sign);
}

void TFFTPlan::Forward(double* re, double* im) const {
  Transform<1>(re, im, 1);
}

void TFFTPlan::InverseUnscaled(double* re, double* im) const {
  Transform<1>(re, im, -1);
}

void TFFTPlan::ForwardBlock(double* re, double* im) const {
  Transform<kBlockLanes>(re, im, 1);
}

void TFFTPlan::InverseBlockUnscaled(double* re, double* im) const {
  Transform<kBlockLanes>(re, im, -1);
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

// A block of columns: kBlockLanes complex signals, each two real columns.
constexpr unsigned kBlockColumns = 2 * TFFTPlan::kBlockLanes;

struct Scratch {
  std::vector<double> Re, Im, Columns;
  void Size(size_t ny) {
    Re.resize(ny * TFFTPlan::kBlockLanes);
    Im.resize(Re.size());
    Columns.resize(ny * kBlockColumns);
  }
};

}  // namespace

TRealSpectrum2D::TRealSpectrum2D(unsigned nx, unsigned ny)
    : NX(nx), NY(ny), Rows(ny / 2 + 1) {
  CheckFourierLength(nx);
  CheckFourierLength(ny);
  Re.resize(static_cast<size_t>(Rows) * nx);
  Im.resize(Re.size());
}

void TRealSpectrum2D::Forward(const Sampler& columns, unsigned usedColumns,
                              const std::function<void()>& poll) {
  const TFFTPlan& colPlan = TFFTPlan::For(NY);
  const TFFTPlan& rowPlan = TFFTPlan::For(NX);
  const size_t ny = NY, nx = NX, lanes = TFFTPlan::kBlockLanes;
  std::vector<Scratch> scratch(static_cast<size_t>(ParallelThreads()));
  // Columns: two real columns x, x+1 as one complex one, then apart again.
  ParallelTasks(
      (NX + kBlockColumns - 1) / kBlockColumns,
      [&](int64_t task, int worker) {
        const size_t x0 = static_cast<size_t>(task) * kBlockColumns;
        const size_t width = std::min<size_t>(kBlockColumns, nx - x0);
        if (x0 >= usedColumns) {
          for (size_t y = 0; y < Rows; ++y) {
            std::fill_n(&Re[y * nx + x0], width, 0.0);
            std::fill_n(&Im[y * nx + x0], width, 0.0);
          }
          return;
        }
        Scratch& s = scratch[static_cast<size_t>(worker)];
        s.Size(ny);
        const size_t used = std::min<size_t>(width, usedColumns - x0);
        std::fill(s.Columns.begin(), s.Columns.end(), 0.0);
        columns(static_cast<unsigned>(x0), static_cast<unsigned>(used), s.Columns.data(),
                kBlockColumns);
        for (size_t y = 0; y < ny; ++y)
          for (size_t b = 0; b < lanes; ++b) {
            s.Re[y * lanes + b] = s.Columns[y * kBlockColumns + 2 * b];
            s.Im[y * lanes + b] = s.Columns[y * kBlockColumns + 2 * b + 1];
          }
        colPlan.ForwardBlock(s.Re.data(), s.Im.data());
        for (size_t y = 0; y < Rows; ++y) {
          const size_t m = (ny - y) & (ny - 1);
          double *re = &Re[y * nx + x0], *im = &Im[y * nx + x0];
          for (size_t b = 0; 2 * b < width; ++b) {
            const double zr = s.Re[y * lanes + b], zi = s.Im[y * lanes + b];
            const double wr = s.Re[m * lanes + b], wi = s.Im[m * lanes + b];
            re[2 * b] = 0.5 * (zr + wr), im[2 * b] = 0.5 * (zi - wi);
            re[2 * b + 1] = 0.5 * (zi + wi), im[2 * b + 1] = 0.5 * (wr - zr);
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
  const size_t ny = NY, nx = NX, lanes = TFFTPlan::kBlockLanes;
  ParallelTasks(
      Rows, [&](int64_t y, int) { rowPlan.InverseUnscaled(&Re[y * nx], &Im[y * nx]); }, poll);
  std::vector<Scratch> scratch(static_cast<size_t>(ParallelThreads()));
  const size_t used = std::min<size_t>(usedColumns, nx);
  // Each column is now the spectrum of a real column: column x plus i times
  // column x+1 transforms back into both at once.
  ParallelTasks(
      (used + kBlockColumns - 1) / kBlockColumns,
      [&](int64_t task, int worker) {
        Scratch& s = scratch[static_cast<size_t>(worker)];
        s.Size(ny);
        const size_t x0 = static_cast<size_t>(task) * kBlockColumns;
        const size_t width = std::min<size_t>(kBlockColumns, nx - x0);
        std::fill(s.Re.begin(), s.Re.end(), 0.0);
        std::fill(s.Im.begin(), s.Im.end(), 0.0);
        for (size_t y = 0; y < ny; ++y) {
          // The lower half of a column is the mirror of its upper half.
          const bool upper = y < Rows;
          const size_t row = (upper ? y : ny - y) * nx + x0;
          const double* re = &Re[row];
          const double* im = &Im[row];
          const double flip = upper ? 1 : -1;
          for (size_t b = 0; 2 * b < width; ++b) {
            s.Re[y * lanes + b] = re[2 * b] - flip * im[2 * b + 1];
            s.Im[y * lanes + b] = flip * im[2 * b] + re[2 * b + 1];
          }
        }
        colPlan.InverseBlockUnscaled(s.Re.data(), s.Im.data());
        for (size_t y = 0; y < ny; ++y)
          for (size_t b = 0; b < lanes; ++b) {
            s.Columns[y * kBlockColumns + 2 * b] = s.Re[y * lanes + b];
            s.Columns[y * kBlockColumns + 2 * b + 1] = s.Im[y * lanes + b];
          }
        put(static_cast<unsigned>(x0), static_cast<unsigned>(std::min(width, used - x0)),
            s.Columns.data(), kBlockColumns);
      },
      poll);
}

}  // namespace lumarte::effects
