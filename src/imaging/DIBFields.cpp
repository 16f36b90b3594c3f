#include "imaging/DIBFields.h"

#include "imaging/Endian.h"

namespace lumarte::imaging {

TDIBFields ReadDIBFields(const uint8_t* p, uint32_t headerSize) {
  TDIBFields f;
  if (headerSize == 12) {  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
    f.Width = LittleEndian16(p + 4);
    f.Height = LittleEndian16(p + 6);
    f.Bits = LittleEndian16(p + 10);
    f.PaletteEntrySize = 3;
    return f;
  }
  f.Width = LittleEndianSigned32(p + 4);
  int64_t height = LittleEndianSigned32(p + 8);
  f.TopDown = height < 0;
  f.Height = f.TopDown ? -height : height;
  f.Bits = LittleEndian16(p + 14);
  f.Compression = LittleEndian32(p + 16);
  f.SizeImage = LittleEndian32(p + 20);
  f.ColorsUsed = LittleEndian32(p + 32);
  int masks = headerSize >= 56 ? 4 : headerSize >= 52 ? 3 : 0;
  for (int i = 0; i < masks; ++i) f.Masks[i] = LittleEndian32(p + 40 + 4 * i);
  return f;
}

void UnpackIndices(const uint8_t* src, uint8_t* dst, int64_t width, int bits) {
  const int mask = (1 << bits) - 1;
  for (int64_t x = 0; x < width; ++x) {
    int64_t bit = x * bits;
    dst[x] = static_cast<uint8_t>(src[bit >> 3] >> (8 - bits - (bit & 7)) & mask);
  }
}

}  // namespace lumarte::imaging
