#pragma once
// Radix-2 fast Fourier transform. The forward transform uses e^(+2 pi i jk/n)
// and the inverse e^(-2 pi i jk/n) divided by n. Twiddle factors and the
// bit-reversal order are computed once per length; two stages run as one pass
// over the data. A real 2-D signal goes through its half spectrum (the other
// half is its complex conjugate), at half the work of a complex transform.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace lumarte::effects {

// True for 2, 4, ..., 32768 (lengths are 16-bit counts).
bool IsPowerOfTwo(unsigned n);
// Index of the lowest set bit of n: log2 n for a power of two.
unsigned NumberOfBitsNeeded(unsigned n);
// index with its lowest `bits` bits in reverse order.
unsigned ReverseBits(unsigned index, unsigned bits);
// Raises ELumarteError "Error in procedure Fourier:  NumSamples=n is not a
// positive integer power of 2." unless IsPowerOfTwo(n).
void CheckFourierLength(unsigned n);
// The smallest power of two >= length (at least 2); raises like
// CheckFourierLength when that is above 32768.
unsigned FourierLength(int64_t length);

// Transforms of one length, in place on split real and imaginary arrays.
class TFFTPlan {
 public:
  explicit TFFTPlan(unsigned n);
  unsigned Size() const { return N; }
  void Forward(double* re, double* im) const;
  // Without the division by n: callers fold it into a gain they apply anyway.
  void InverseUnscaled(double* re, double* im) const;
  // The same on kBlockLanes signals at once, sample k of signal l at
  // k * kBlockLanes + l.
  static constexpr size_t kBlockLanes = 8;
  void ForwardBlock(double* re, double* im) const;
  void InverseBlockUnscaled(double* re, double* im) const;
  // The plan of length n, made once and shared (lengths up to 32768).
  static const TFFTPlan& For(unsigned n);

 private:
  template <size_t L>
  void Transform(double* re, double* im, double sign) const;
  unsigned N;
  std::vector<uint32_t> Swaps;  // pairs (i, reversed i) with i < reversed i
  // Twiddles for block size m = 4, 8, ..., n at Offset(m) + j, j < m/2.
  std::vector<double> Cos, Sin;
};

// FFT and IFFT of the library interface: out = transform of in (the arrays
// may be the same). IFFT divides by n.
void FFT(unsigned n, const double* realIn, const double* imagIn, double* realOut, double* imagOut);
void IFFT(unsigned n, const double* realIn, const double* imagIn, double* realOut,
          double* imagOut);

// The half spectrum of a real nx x ny signal s[x][y]: rows y = 0..ny/2 of
// S[x][y] = sum over a, b of s[a][b] e^(+2 pi i (ax/nx + by/ny)), row by row
// (Re and Im of row y start at y * nx). Work is spread over the cores; each
// step calls poll() now and then on the calling thread (it may throw to stop).
class TRealSpectrum2D {
 public:
  TRealSpectrum2D(unsigned nx, unsigned ny);
  unsigned NX, NY, Rows;  // Rows = ny/2 + 1
  std::vector<double> Re, Im;

  // columns(x0, count, out, stride) writes s[x0 + i][y] to out[y * stride + i]
  // for i < count and y < ny; the columns from usedColumns on are zero.
  using Sampler = std::function<void(unsigned x0, unsigned count, double* out, size_t stride)>;
  void Forward(const Sampler& column, unsigned usedColumns, const std::function<void()>& poll);
  // The real signal of the half spectrum, times nx * ny (the spectrum is
  // overwritten): put(x0, count, values, stride) gets s[x0 + i][y] at
  // values[y * stride + i], for i < count, y < ny, columns below usedColumns.
  using Sink =
      std::function<void(unsigned x0, unsigned count, const double* values, size_t stride)>;
  void InverseUnscaled(const Sink& put, unsigned usedColumns, const std::function<void()>& poll);
};

}  // namespace lumarte::effects
