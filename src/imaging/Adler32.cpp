#include "imaging/Adler32.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumarte::imaging {

namespace {

constexpr uint32_t kBase = 65521;
// Largest n with 255 n (n + 1) / 2 + (n + 1) (kBase - 1) < 2^32: the sums
// cannot overflow within a run of this many bytes.
constexpr size_t kMaxRun = 5552;

#if defined(__SSE2__)
// One run (a multiple of 16 bytes, at most kMaxRun): per block of 16 bytes,
// b grows by 16 a + sum of (16 - i) * byte i and a by the sum of the bytes.
void Run16(uint32_t& a, uint32_t& b, const uint8_t* p, size_t blocks) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i weightsHi = _mm_set_epi16(9, 10, 11, 12, 13, 14, 15, 16);
  const __m128i weightsLo = _mm_set_epi16(1, 2, 3, 4, 5, 6, 7, 8);
  __m128i vA = zero;      // sum of the bytes (4 lanes)
  __m128i vPrevA = zero;  // sum over blocks of the byte sums before each block
  __m128i vB = zero;      // weighted sums
  for (size_t k = 0; k < blocks; ++k, p += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    vPrevA = _mm_add_epi32(vPrevA, vA);
    vA = _mm_add_epi32(vA, _mm_sad_epu8(bytes, zero));
    __m128i lo = _mm_unpacklo_epi8(bytes, zero);
    __m128i hi = _mm_unpackhi_epi8(bytes, zero);
    vB = _mm_add_epi32(vB, _mm_madd_epi16(lo, weightsHi));
    vB = _mm_add_epi32(vB, _mm_madd_epi16(hi, weightsLo));
  }
  auto sum = [](__m128i v) {
    v = _mm_add_epi32(v, _mm_shuffle_epi32(v, 0x4E));
    v = _mm_add_epi32(v, _mm_shuffle_epi32(v, 0xB1));
    return static_cast<uint32_t>(_mm_cvtsi128_si32(v));
  };
  uint32_t sumA = sum(vA), sumPrevA = sum(vPrevA), sumB = sum(vB);
  b += a * 16 * static_cast<uint32_t>(blocks) + 16 * sumPrevA + sumB;
  a += sumA;
}
#endif

}  // namespace

uint32_t UpdateAdler32(uint32_t adler, const void* data, size_t count) {
  auto p = static_cast<const uint8_t*>(data);
  uint32_t a = adler & 0xFFFF, b = adler >> 16;
  while (count) {
    size_t run = count < kMaxRun ? count : kMaxRun;
    count -= run;
#if defined(__SSE2__)
    size_t blocks = run / 16;
    if (blocks) {
      Run16(a, b, p, blocks);
      p += blocks * 16;
      run -= blocks * 16;
    }
#endif
    for (; run; --run) {
      a += *p++;
      b += a;
    }
    a %= kBase;
    b %= kBase;
  }
  return b << 16 | a;
}

}  // namespace lumarte::imaging
