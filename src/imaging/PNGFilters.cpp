#include "imaging/PNGFilters.h"

#include <cstring>

namespace lumarte::imaging::png_filters {

namespace {

template <int Bpp>
void UnfilterPaeth(uint8_t* row, const uint8_t* prev, size_t n) {
  for (size_t i = 0; i < Bpp && i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + prev[i]);
  for (size_t i = Bpp; i < n; ++i)
    row[i] = static_cast<uint8_t>(row[i] + PaethPredictor(row[i - Bpp], prev[i], prev[i - Bpp]));
}

void UnfilterPaethAny(uint8_t* row, const uint8_t* prev, size_t n, size_t bpp) {
  for (size_t i = 0; i < bpp && i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + prev[i]);
  for (size_t i = bpp; i < n; ++i)
    row[i] = static_cast<uint8_t>(row[i] + PaethPredictor(row[i - bpp], prev[i], prev[i - bpp]));
}

}  // namespace

void Unfilter(TFilterType type, uint8_t* row, const uint8_t* prev, size_t n, int bppInt) {
  const size_t bpp = static_cast<size_t>(bppInt);
  switch (type) {
    case ftNone:
      break;
    case ftSub:
      for (size_t i = bpp; i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + row[i - bpp]);
      break;
    case ftUp:
      for (size_t i = 0; i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + prev[i]);
      break;
    case ftAverage:
      for (size_t i = 0; i < bpp && i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + prev[i] / 2);
      for (size_t i = bpp; i < n; ++i)
        row[i] = static_cast<uint8_t>(row[i] + ((row[i - bpp] + prev[i]) >> 1));
      break;
    case ftPaeth:
      switch (bpp) {
        case 1:
          UnfilterPaeth<1>(row, prev, n);
          break;
        case 3:
          UnfilterPaeth<3>(row, prev, n);
          break;
        case 4:
          UnfilterPaeth<4>(row, prev, n);
          break;
        default:
          UnfilterPaethAny(row, prev, n, bpp);
      }
      break;
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
  for (size_t i = 0; i < n; ++i) {
    int v = static_cast<int8_t>(data[i]);
    sum += static_cast<uint64_t>(v < 0 ? -v : v);
  }
  return sum;
}

}  // namespace lumarte::imaging::png_filters
