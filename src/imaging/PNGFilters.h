#pragma once
// The five PNG row filters, both ways. `prev` is the previous row of the same
// pass (all zeros for the first), `bpp` the bytes of one complete pixel.
#include <cstddef>
#include <cstdint>

namespace lumarte::imaging::png_filters {

enum TFilterType : uint8_t { ftNone = 0, ftSub = 1, ftUp = 2, ftAverage = 3, ftPaeth = 4 };

// Undoes `type` (0..4) on row[0..n) in place.
void Unfilter(TFilterType type, uint8_t* row, const uint8_t* prev, size_t n, int bpp);
// Writes row[0..n) filtered with `type` to out.
void Filter(TFilterType type, const uint8_t* row, const uint8_t* prev, uint8_t* out, size_t n,
            int bpp);
// Sum of the bytes taken as signed values, in absolute value.
uint64_t FilterScore(const uint8_t* data, size_t n);

// The predictor of the Paeth filter: a (left), b (up) or c (up-left),
// whichever is closest to a + b - c, ties in that order.
inline uint8_t PaethPredictor(int a, int b, int c) {
  int pa = b > c ? b - c : c - b;
  int pb = a > c ? a - c : c - a;
  int pc = a + b - 2 * c;
  pc = pc < 0 ? -pc : pc;
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
  return static_cast<uint8_t>(pb <= pc ? b : c);
}

}  // namespace lumarte::imaging::png_filters
