#pragma once
// The fixed parts of the Deflate format (RFC 1951).
#include <array>
#include <cstdint>

#include "imaging/Huffman.h"

namespace lumarte::imaging::deflate_tables {

// Literal/length symbols 257..285: base length and extra bits.
inline constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                             15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
inline constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                             2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

// Distance symbols 0..31. Symbols 30 and 31 do not occur in valid data; they
// are read with the same rule as the others (distances up to 65536).
struct TDistanceTables {
  uint32_t Base[32];
  uint8_t Extra[32];
};
constexpr TDistanceTables MakeDistanceTables() {
  TDistanceTables t{};
  for (uint32_t d = 0; d < 32; ++d) {
    if (d <= 3) {
      t.Base[d] = d + 1;
      t.Extra[d] = 0;
    } else {
      uint32_t e = (d - 4) / 2 + 1;
      t.Base[d] = ((d & 1) << e) + (1u << (e + 1)) + 1;
      t.Extra[d] = static_cast<uint8_t>(e);
    }
  }
  return t;
}
inline constexpr TDistanceTables kDistance = MakeDistanceTables();
inline constexpr const uint32_t* kDistanceBase = kDistance.Base;
inline constexpr const uint8_t* kDistanceExtra = kDistance.Extra;

// Length symbol (257..285) of every match length 3..258.
constexpr std::array<uint16_t, 259> MakeLengthSymbols() {
  std::array<uint16_t, 259> t{};
  for (uint32_t len = 3; len <= 258; ++len) {
    int i = 0;
    while (i + 1 < 28 && kLengthBase[i + 1] <= len) ++i;
    t[len] = static_cast<uint16_t>(len == 258 ? 285 : 257 + i);
  }
  return t;
}
inline constexpr std::array<uint16_t, 259> kLengthSymbol = MakeLengthSymbols();

inline constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                 11, 4,  12, 3, 13, 2, 14, 1, 15};

// The fixed literal/length code: the RFC's lengths for all 288 symbols (so
// that the codes come out as the RFC lists them), then cut to 0..285.
inline void FixedLiteralLengths(TCodeTable& table) {
  uint8_t lengths[288];
  for (int s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
  SetCodeCount(table, 288);
  CodesFromLengths(table, lengths, 9);
  SetCodeCount(table, 286);
}

}  // namespace lumarte::imaging::deflate_tables
