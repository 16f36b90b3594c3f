// Writing uncompressed Windows bitmaps (info header, bottom-up rows).
#include "imaging/BMPLoader.h"

#include <cstring>
#include <vector>

#include "imaging/BufStream.h"
#include "imaging/ColorReduction.h"

namespace lumarte::imaging {

namespace {

constexpr uint32_t kFileHeaderSize = 14, kInfoHeaderSize = 40;

void WriteHeaders(TBaseStream& out, const TRevedBitmap& b, int bits, uint32_t imageSize) {
  uint32_t colors = bits <= 8 ? 1u << bits : 0;
  uint32_t offBits = kFileHeaderSize + kInfoHeaderSize + 4 * colors;
  out.WriteByte('B');
  out.WriteByte('M');
  out.WriteDWordLE(offBits + imageSize);
  out.WriteDWordLE(0);  // reserved
  out.WriteDWordLE(offBits);
  out.WriteDWordLE(kInfoHeaderSize);
  out.WriteDWordLE(static_cast<uint32_t>(b.Width));
  out.WriteDWordLE(static_cast<uint32_t>(b.Height));  // positive: rows bottom-up
  out.WriteWordLE(1);                                 // planes
  out.WriteWordLE(static_cast<uint16_t>(bits));
  out.WriteDWordLE(0);  // uncompressed
  out.WriteDWordLE(imageSize);
  out.WriteDWordLE(0);  // horizontal and vertical resolution: not given
  out.WriteDWordLE(0);
  out.WriteDWordLE(colors);
  out.WriteDWordLE(0);  // all colours important
  for (uint32_t i = 0; i < colors; ++i) {
    const uint8_t* e = &(*b.Palette)[3 * i];  // blue, green, red as in the file
    uint8_t entry[4] = {e[0], e[1], e[2], 0};
    out.WriteExact(entry, 4);
  }
}

// Packs one row of indices (each below 2^bits) or copies a 24-bit row;
// 8-bit rows are expanded through the palette when 24 bits are written.
void PackRow(const TRevedBitmap& b, int32_t y, int bits, uint8_t* dst) {
  const uint8_t* src = b.ScanLine(y);
  if (bits == 24 && b.PixelFormat == pf24bit) {
    std::memcpy(dst, src, static_cast<size_t>(b.BytesPerLine));
  } else if (bits == 24) {
    for (int32_t x = 0; x < b.Width; ++x) std::memcpy(dst + 3 * x, &(*b.Palette)[3 * src[x]], 3);
  } else if (bits == 8) {
    std::memcpy(dst, src, static_cast<size_t>(b.Width));
  } else {
    int perByte = 8 / bits;
    for (int32_t x = 0; x < b.Width; ++x)
      dst[x / perByte] |= static_cast<uint8_t>(src[x] << (8 - bits * (x % perByte + 1)));
  }
}

void WriteRows(TBaseStream& out, const TRevedBitmap& b, int bits, uint32_t rowBytes) {
  std::vector<uint8_t> row(rowBytes);
  bool direct = bits == 24 && b.PixelFormat == pf24bit && rowBytes == uint32_t(b.BytesPerLine);
  for (int32_t y = b.Height - 1; y >= 0; --y) {
    if (direct) {
      out.WriteExact(b.ScanLine(y), rowBytes);
      continue;
    }
    std::fill(row.begin(), row.end(), 0);
    PackRow(b, y, bits, row.data());
    out.WriteExact(row.data(), rowBytes);
  }
}

}  // namespace

void WriteBMP(TBaseStream& stream, const TRevedBitmap& bitmap, int bitsPerPixel, bool dither) {
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
    throw ERevedBitmap("Unsupported pixel format");
  if (!bitmap.Present) throw ERevedBitmap("Invalid bitmap size");
  TRevedBitmap reduced;
  const TRevedBitmap* b = &bitmap;
  // An 8-bit image written with 8 bits keeps its table as it is.
  if (bitsPerPixel < 24 && !(bitsPerPixel == 8 && bitmap.PixelFormat == pf8bit)) {
    reduced = ReduceColors(bitmap, {1 << bitsPerPixel, dither});
    b = &reduced;
  }
  uint64_t rowBytes = (uint64_t{uint32_t(b->Width)} * bitsPerPixel + 31) / 32 * 4;
  uint64_t imageSize = rowBytes * uint32_t(b->Height);
  if (imageSize > 0xFFFFFFFFu - 2048) throw ERevedBitmap("Invalid bitmap size");
  TBufferedStream out(0, &stream, -1);
  WriteHeaders(out, *b, bitsPerPixel, static_cast<uint32_t>(imageSize));
  WriteRows(out, *b, bitsPerPixel, static_cast<uint32_t>(rowBytes));
  out.Flush();
}

void TBMPLoader::SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) {
  if (!CanSave(ext)) throw ERevedBitmap("Unsupported file format");
  WriteBMP(stream, bitmap, bitmap.PixelFormat == pf8bit ? 8 : 24);
}

}  // namespace lumarte::imaging
