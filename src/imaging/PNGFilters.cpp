#include "imaging/PNGFilters.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumarte::imaging::png_filters {

namespace {

// The sequential filters with the left pixel kept in registers: going
// through memory would put a store-to-load forward on every byte's path.
template <int Bpp>
void UnfilterSub(uint8_t* row, size_t n) {
  uint8_t left[Bpp];
  for (int k = 0; k < Bpp; ++k) left[k] = row[k];
  for (size_t i = Bpp; i + Bpp <= n; i += Bpp) {
#pragma GCC unroll 8
    for (int k = 0; k < Bpp; ++k) row[i + k] = left[k] = static_cast<uint8_t>(row[i + k] + left[k]);
  }
}

template <int Bpp>
void UnfilterAverage(uint8_t* row, const uint8_t* prev, size_t n) {
  uint8_t left[Bpp];
  for (int k = 0; k < Bpp; ++k) left[k] = row[k] = static_cast<uint8_t>(row[k] + prev[k] / 2);
  for (size_t i = Bpp; i + Bpp <= n; i += Bpp) {
#pragma GCC unroll 8
    for (int k = 0; k < Bpp; ++k)
      row[i + k] = left[k] = static_cast<uint8_t>(row[i + k] + ((left[k] + prev[i + k]) >> 1));
  }
}

template <int Bpp>
void UnfilterPaeth(uint8_t* row, const uint8_t* prev, size_t n) {
  uint8_t left[Bpp], upLeft[Bpp];
  for (int k = 0; k < Bpp; ++k) {
    left[k] = row[k] = static_cast<uint8_t>(row[k] + prev[k]);
    upLeft[k] = prev[k];
  }
  for (size_t i = Bpp; i + Bpp <= n; i += Bpp) {
#pragma GCC unroll 8
    for (int k = 0; k < Bpp; ++k) {
      uint8_t up = prev[i + k];
      left[k] = row[i + k] =
          static_cast<uint8_t>(row[i + k] + PaethPredictor(left[k], up, upLeft[k]));
      upLeft[k] = up;
    }
  }
}

void UnfilterAny(TFilterType type, uint8_t* row, const uint8_t* prev, size_t n, size_t bpp) {
  for (size_t i = 0; i < n; ++i) {
    int a = i >= bpp ? row[i - bpp] : 0, b = prev[i], c = i >= bpp ? prev[i - bpp] : 0;
    int pred = type == ftSub ? a : type == ftAverage ? (a + b) >> 1 : PaethPredictor(a, b, c);
    row[i] = static_cast<uint8_t>(row[i] + pred);
  }
}

template <int Bpp>
void UnfilterSequential(TFilterType type, uint8_t* row, const uint8_t* prev, size_t n) {
  if (type == ftSub) UnfilterSub<Bpp>(row, n);
  if (type == ftAverage) UnfilterAverage<Bpp>(row, prev, n);
  if (type == ftPaeth) UnfilterPaeth<Bpp>(row, prev, n);
}

}  // namespace

void Unfilter(TFilterType type, uint8_t* row, const uint8_t* prev, size_t n, int bppInt) {
  const size_t bpp = static_cast<size_t>(bppInt);
  if (type == ftNone) return;
  if (type == ftUp) {
    for (size_t i = 0; i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + prev[i]);
    return;
  }
  // Rows hold whole pixels, except that low bit depths pack several pixels
  // into a byte (bpp 1 then).
  switch (n % bpp == 0 && n >= bpp ? bpp : 0) {
    case 1:
      return UnfilterSequential<1>(type, row, prev, n);
    case 2:
      return UnfilterSequential<2>(type, row, prev, n);
    case 3:
      return UnfilterSequential<3>(type, row, prev, n);
    case 4:
      return UnfilterSequential<4>(type, row, prev, n);
    case 6:
      return UnfilterSequential<6>(type, row, prev, n);
    case 8:
      return UnfilterSequential<8>(type, row, prev, n);
    default:
      return UnfilterAny(type, row, prev, n, bpp);
  }
}

void Filter(TFilterType type, const uint8_t* row, const uint8_t* prev, uint8_t* out, size_t n,
            int bppInt) {
  const size_t bpp = static_cast<size_t>(bppInt);
  const size_t head = bpp < n ? bpp : n;
  switch (type) {
    case ftNone:
      std::memcpy(out, row, n);
      break;
    case ftSub:
      std::memcpy(out, row, head);
      for (size_t i = bpp; i < n; ++i) out[i] = static_cast<uint8_t>(row[i] - row[i - bpp]);
      break;
    case ftUp:
      for (size_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(row[i] - prev[i]);
      break;
    case ftAverage:
      for (size_t i = 0; i < head; ++i) out[i] = static_cast<uint8_t>(row[i] - prev[i] / 2);
      for (size_t i = bpp; i < n; ++i)
        out[i] = static_cast<uint8_t>(row[i] - ((row[i - bpp] + prev[i]) >> 1));
      break;
    case ftPaeth:
      for (size_t i = 0; i < head; ++i) out[i] = static_cast<uint8_t>(row[i] - prev[i]);
      for (size_t i = bpp; i < n; ++i)
        out[i] =
            static_cast<uint8_t>(row[i] - PaethPredictor(row[i - bpp], prev[i], prev[i - bpp]));
      break;
  }
}

uint64_t FilterScore(const uint8_t* data, size_t n) {
  uint64_t sum = 0;
  size_t i = 0;
#if defined(__SSE2__)
  // |b| of a signed byte is the smaller of b and -b taken as unsigned bytes.
  const __m128i zero = _mm_setzero_si128();
  __m128i acc = zero;
  for (; i + 16 <= n; i += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    __m128i a = _mm_min_epu8(v, _mm_sub_epi8(zero, v));
    acc = _mm_add_epi64(acc, _mm_sad_epu8(a, zero));
  }
  sum = static_cast<uint64_t>(_mm_cvtsi128_si64(acc)) +
        static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(acc, acc)));
#endif
  for (; i < n; ++i) {
    int v = static_cast<int8_t>(data[i]);
    sum += static_cast<uint64_t>(v < 0 ? -v : v);
  }
  return sum;
}

}  // namespace lumarte::imaging::png_filters
