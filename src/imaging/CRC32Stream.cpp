#include "imaging/CRC32Stream.h"

#include <immintrin.h>

#include <array>

#include "imaging/Endian.h"

namespace lumarte::imaging {

namespace {

// Slicing-by-8 tables: table[0] is the classic byte table.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

Tables MakeTables() {
  Tables t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (uint32_t i = 0; i < 256; ++i)
    for (int s = 1; s < 8; ++s) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
  return t;
}

const Tables kTables = MakeTables();


// Carry-less multiply folding (the well-known PCLMULQDQ method): folds 64
// bytes per step, then reduces to 32 bits with Barrett reduction. Needs at
// least 64 bytes and a multiple of 16.
#define LUMARTE_CLMUL __attribute__((target("pclmul,sse4.1")))

LUMARTE_CLMUL inline __m128i Load(const uint8_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

LUMARTE_CLMUL inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
  __m128i lo = _mm_clmulepi64_si128(x, k, 0x00);
  __m128i hi = _mm_clmulepi64_si128(x, k, 0x11);
  return _mm_xor_si128(_mm_xor_si128(hi, lo), next);
}

LUMARTE_CLMUL uint32_t FoldCRC32(uint32_t reg, const uint8_t* buf,
                                                            size_t len) {
  alignas(16) static const uint64_t k1k2[] = {0x0154442bd4, 0x01c6e41596};
  alignas(16) static const uint64_t k3k4[] = {0x01751997d0, 0x00ccaa009e};
  alignas(16) static const uint64_t k5k0[] = {0x0163cd6124, 0x0000000000};
  alignas(16) static const uint64_t poly[] = {0x01db710641, 0x01f7011641};
  __m128i x1 = _mm_xor_si128(Load(buf), _mm_cvtsi32_si128(static_cast<int>(reg)));
  __m128i x2 = Load(buf + 16), x3 = Load(buf + 32), x4 = Load(buf + 48);
  __m128i k = _mm_load_si128(reinterpret_cast<const __m128i*>(k1k2));
  buf += 64;
  len -= 64;
  for (; len >= 64; buf += 64, len -= 64) {
    x1 = Fold(x1, k, Load(buf));
    x2 = Fold(x2, k, Load(buf + 16));
    x3 = Fold(x3, k, Load(buf + 32));
    x4 = Fold(x4, k, Load(buf + 48));
  }
  k = _mm_load_si128(reinterpret_cast<const __m128i*>(k3k4));
  x1 = Fold(x1, k, x2);
  x1 = Fold(x1, k, x3);
  x1 = Fold(x1, k, x4);
  for (; len >= 16; buf += 16, len -= 16) x1 = Fold(x1, k, Load(buf));
  // 128 to 64 bits.
  __m128i mask = _mm_setr_epi32(~0, 0, ~0, 0);
  __m128i x = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k, 0x10));
  k = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(k5k0));
  x = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x, mask), k, 0x00), _mm_srli_si128(x, 4));
  // Barrett reduction to 32 bits.
  k = _mm_load_si128(reinterpret_cast<const __m128i*>(poly));
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x, mask), k, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, mask), k, 0x00);
  return static_cast<uint32_t>(_mm_extract_epi32(_mm_xor_si128(x, t), 1));
}

const bool kHasFold = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");

uint32_t TableCRC32(uint32_t reg, const uint8_t* p, size_t count) {
  const auto& t = kTables;
  while (count >= 8) {
    uint32_t lo = reg ^ LittleEndian32(p);
    uint32_t hi = LittleEndian32(p + 4);
    reg = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
          t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
    p += 8;
    count -= 8;
  }
  while (count--) reg = t[0][(reg ^ *p++) & 0xFF] ^ (reg >> 8);
  return reg;
}

}  // namespace

uint32_t UpdateCRC32(uint32_t reg, const void* data, size_t count) {
  auto p = static_cast<const uint8_t*>(data);
  if (kHasFold && count >= 64) {
    size_t bulk = count & ~size_t{15};
    reg = FoldCRC32(reg, p, bulk);
    p += bulk;
    count -= bulk;
  }
  return TableCRC32(reg, p, count);
}


size_t TCRC32Stream::Write(const void* buffer, size_t count) {
  Reg = UpdateCRC32(Reg, buffer, count);
  return Source->Write(buffer, count);
}

size_t TCRC32Stream::Read(void* buffer, size_t count) {
  size_t n = Source->Read(buffer, count);
  Reg = UpdateCRC32(Reg, buffer, n);
  return n;
}

}  // namespace lumarte::imaging
