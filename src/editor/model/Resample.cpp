#include "editor/model/Resample.h"

#include <cstring>

#include "imaging/Errors.h"

namespace lumarte::editor {

std::vector<int32_t> NearestSourceTable(int from, int to) {
  std::vector<int32_t> table(static_cast<size_t>(to > 0 ? to : 0));
  // i·from/to as quotient q and remainder r, stepped without a division per
  // entry; 2r against `to` decides the rounding.
  const int64_t step = from / to, stepRest = from % to;
  int64_t q = 0, r = 0;
  for (int i = 0; i < to; ++i) {
    int64_t v = q;
    if (2 * r > to || (2 * r == to && (q & 1))) ++v;
    table[static_cast<size_t>(i)] = static_cast<int32_t>(v < from ? v : from - 1);
    q += step;
    r += stepRest;
    if (r >= to) {
      r -= to;
      ++q;
    }
  }
  return table;
}

namespace {

// Rows of three-byte pixels; copying a pixel as one unaligned 32-bit store
// is safe for all but the last pixel of a row.
void SampleRow(const uint8_t* src, uint8_t* dst, const int32_t* offsets, int width) {
  int x = 0;
  for (; x + 1 < width; ++x) {
    uint32_t v;
    std::memcpy(&v, src + offsets[x], 4);
    std::memcpy(dst + 3 * x, &v, 4);
  }
  if (x < width) std::memcpy(dst + 3 * x, src + offsets[x], 3);
}

}  // namespace

TBitmap ResampleNearest(const TBitmap& src, int width, int height) {
  if (width < 1 || height < 1 || src.Empty()) throw ELumarteError("Invalid bitmap size");
  TBitmap out(width, height);
  std::vector<int32_t> offsets = NearestSourceTable(src.Width(), width);
  // The 32-bit copy reads one byte past its source pixel: columns that take
  // the last source column (the end of the table) copy three bytes instead.
  const int32_t last = src.Width() - 1;
  int safe = width;
  while (safe > 0 && offsets[static_cast<size_t>(safe - 1)] == last) --safe;
  for (auto& o : offsets) o *= 3;
  const std::vector<int32_t> rows = NearestSourceTable(src.Height(), height);
  const size_t bytes = static_cast<size_t>(out.BytesPerLine());
  for (int y = 0; y < height; ++y) {
    uint8_t* dst = out.ScanLine(y);
    if (y > 0 && rows[static_cast<size_t>(y)] == rows[static_cast<size_t>(y - 1)]) {
      std::memcpy(dst, out.ScanLine(y - 1), bytes);  // a repeated source row
      continue;
    }
    const uint8_t* s = src.ScanLine(rows[static_cast<size_t>(y)]);
    SampleRow(s, dst, offsets.data(), safe);
    for (int x = safe; x < width; ++x) std::memcpy(dst + 3 * x, s + offsets[x], 3);
  }
  return out;
}

}  // namespace lumarte::editor
