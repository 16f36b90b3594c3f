#pragma once
// What BMP files and the bitmaps inside metafiles share: the compression
// codes, the fields of the core and info headers, and rows of packed indices.
#include <array>
#include <cstdint>

namespace lumarte::imaging {

enum : uint32_t {
  biRGB = 0,
  biRLE8 = 1,
  biRLE4 = 2,
  biBitfields = 3,
  biJPEG = 4,
  biPNG = 5,
  biAlphaBitfields = 6,
};

struct TDIBFields {
  int64_t Width = 0, Height = 0;  // the height as a row count
  bool TopDown = false;           // a negative height: rows stored top first
  int Bits = 0;
  uint32_t Compression = biRGB;
  uint32_t SizeImage = 0;
  uint32_t ColorsUsed = 0;
  std::array<uint32_t, 4> Masks{};  // red, green, blue, alpha, from V2 headers on
  int PaletteEntrySize = 4;         // 3 in core headers
};

// The fields of the header at p whose size field says headerSize: 12 is a
// core header, any other size an info header, of which p holds at least
// 40 bytes and at least headerSize.
TDIBFields ReadDIBFields(const uint8_t* p, uint32_t headerSize);

// A row of 1-, 2- or 4-bit indices, the leftmost pixel in the high bits.
void UnpackIndices(const uint8_t* src, uint8_t* dst, int64_t width, int bits);

}  // namespace lumarte::imaging
