#pragma once
// Builds small bitmap files byte by byte for the reader's tests.
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/RevedBitmap.h"
#include "support/MetafileBuilder.h"

namespace lumarte::testing {

struct TBmpLayout {
  int HeaderSize = 40;  // 12 gives an OS/2 core header
  int32_t Width = 1, Height = 1;
  int Bits = 24;
  uint32_t Compression = 0;
  uint32_t ColorsUsed = 0;
  std::vector<uint32_t> Palette;  // 0x00RRGGBB
  std::vector<uint32_t> Masks;    // written after a 40-byte header
  std::vector<uint8_t> Pixels;    // the pixel data as stored
  int OffBitsDelta = 0;           // added to the offset of the pixels
  const char* Signature = "BM";
};

inline std::string BuildBmp(const TBmpLayout& layout) {
  const bool core = layout.HeaderSize == 12;
  std::string header;
  if (core) {
    PutLE(header, 12, 4);
    for (int v : {layout.Width, layout.Height, 1, layout.Bits}) PutLE(header, v, 2);
  } else {
    header = DibInfo(layout.Width, layout.Height, layout.Bits, layout.Compression,
                     layout.ColorsUsed, static_cast<uint32_t>(layout.Pixels.size()));
    header[0] = static_cast<char>(layout.HeaderSize);
    header.resize(layout.HeaderSize, '\0');
  }
  for (uint32_t m : layout.Masks) PutLE(header, m, 4);
  for (uint32_t c : layout.Palette) PutLE(header, c, core ? 3 : 4);
  uint32_t offBits = static_cast<uint32_t>(14 + header.size() + layout.OffBitsDelta);
  std::string file = layout.Signature;
  PutLE(file, static_cast<uint32_t>(14 + header.size() + layout.Pixels.size()), 4);
  PutLE(file, 0, 4);
  PutLE(file, offBits, 4);
  file += header;
  if (layout.OffBitsDelta > 0) file.append(layout.OffBitsDelta, '\0');
  file.append(layout.Pixels.begin(), layout.Pixels.end());
  return file;
}

// Pixel (x, y) as 0x00RRGGBB, through the palette for 8-bit buffers.
inline uint32_t ColorAt(const imaging::TRevedBitmap& b, int x, int y) {
  const uint8_t* p = b.PixelFormat == imaging::pf24bit ? b.ScanLine(y) + 3 * x
                                                       : &(*b.Palette)[3 * b.ScanLine(y)[x]];
  return p[0] | p[1] << 8 | p[2] << 16;
}

}  // namespace lumarte::testing
