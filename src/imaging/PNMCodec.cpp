#include "imaging/PNMCodec.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/ByteReader.h"
#include "imaging/CodecLimits.h"

namespace lumarte::imaging {

namespace {

[[noreturn]] void BadHeader() {
  throw ERevedBitmap("Error in bitmap data");
}

// Skips blanks and "#" comments, then reads a decimal number; the single
// blank after it is consumed too.
int64_t ReadNumber(TByteReader& in) {
  uint8_t c = in.Byte();
  for (;;) {
    if (c == '#') {
      while (c != '\n' && c != '\r') c = in.Byte();
    } else if (!std::isspace(c)) {
      break;
    }
    c = in.Byte();
  }
  if (!std::isdigit(c)) BadHeader();
  int64_t v = 0;
  while (std::isdigit(c)) {
    v = v * 10 + (c - '0');
    if (v > 1 << 30) BadHeader();
    c = in.Byte();
  }
  if (!std::isspace(c)) BadHeader();
  return v;
}

// Sample values scaled from 0..maxValue to 0..255, rounded.
void ScaleSamples(const uint8_t* src, uint8_t* dst, size_t count, int64_t maxValue) {
  for (size_t i = 0; i < count; ++i) {
    int64_t v = maxValue > 255 ? src[2 * i] << 8 | src[2 * i + 1] : src[i];
    v = std::min(v, maxValue);
    dst[i] = static_cast<uint8_t>((v * 255 + maxValue / 2) / maxValue);
  }
}

// Red-green-blue to blue-green-red (or back) in place.
void SwapRedBlue(uint8_t* p, size_t pixels) {
  for (size_t i = 0; i < pixels; ++i, p += 3) {
    const uint8_t r = p[0];
    p[0] = p[2];
    p[2] = r;
  }
}

// Pixel rows are converted into one block of this size and written with one
// call: large enough that the per-call cost vanishes, small enough for cache.
constexpr size_t kWriteBlock = 1 << 18;

// Writes every row of `b` as `channels` bytes a pixel, converting each pixel
// (as blue, green, red) with `put`.
template <typename Put>
void WriteRows(TBaseStream& out, const TRevedBitmap& b, int channels, Put put) {
  const size_t rowBytes = static_cast<size_t>(b.Width) * channels;
  std::vector<uint8_t> block(std::max(kWriteBlock, rowBytes));
  size_t used = 0;
  for (int32_t y = 0; y < b.Height; ++y) {
    if (used + rowBytes > block.size()) {
      out.WriteExact(block.data(), used);
      used = 0;
    }
    const uint8_t* row = b.ScanLine(y);
    uint8_t* dst = block.data() + used;
    if (b.PixelFormat == pf24bit) {
      for (int32_t x = 0; x < b.Width; ++x, dst += channels) put(row + 3 * x, dst);
    } else {
      const uint8_t* pal = b.Palette->data();
      for (int32_t x = 0; x < b.Width; ++x, dst += channels) put(pal + 3 * row[x], dst);
    }
    used += rowBytes;
  }
  out.WriteExact(block.data(), used);
}

void WriteHeader(TBaseStream& out, const char* magic, const TRevedBitmap& b) {
  if (!b.Present) throw ERevedBitmap("Invalid bitmap size");
  std::string h = std::string(magic) + "\n" + std::to_string(b.Width) + " " +
                  std::to_string(b.Height) + "\n255\n";
  out.WriteExact(h.data(), h.size());
}

}  // namespace

void ReadPnm(TBaseStream& stream, TRevedBitmap& bitmap) {
  TByteReader in(stream);
  uint8_t magic[2];
  in.Read(magic, 2);
  if (magic[0] != 'P' || (magic[1] != '5' && magic[1] != '6'))
    throw ERevedBitmap("Unsupported file format");
  const int channels = magic[1] == '6' ? 3 : 1;
  int64_t width = ReadNumber(in), height = ReadNumber(in), maxValue = ReadNumber(in);
  if (maxValue < 1 || maxValue > 65535) BadHeader();
  CheckImageSize(width, height);
  const size_t samples = static_cast<size_t>(width) * channels;
  const size_t rowBytes = samples * (maxValue > 255 ? 2 : 1);
  if (in.KnownShort(static_cast<int64_t>(rowBytes) * height)) RaiseShortTransfer();
  bitmap.New(static_cast<int32_t>(width), static_cast<int32_t>(height),
             channels == 3 ? pf24bit : pf8bit, false);
  if (channels == 1) *bitmap.Palette = DefaultPalette();
  try {
    if (maxValue == 255) {
      // Rows lie one after another in the bitmap as in the file.
      in.Read(bitmap.ScanLine(0), rowBytes * height);
    } else {
      std::vector<uint8_t> row(rowBytes);
      for (int32_t y = 0; y < bitmap.Height; ++y) {
        in.Read(row.data(), rowBytes);
        ScaleSamples(row.data(), bitmap.ScanLine(y), samples, maxValue);
      }
    }
  } catch (...) {
    // The block was not cleared: none of it may outlive a failed read.
    bitmap.Dispose();
    throw;
  }
  if (channels == 3) SwapRedBlue(bitmap.ScanLine(0), samples / 3 * height);
}

void WritePpm(TBaseStream& stream, const TRevedBitmap& bitmap) {
  WriteHeader(stream, "P6", bitmap);
  WriteRows(stream, bitmap, 3, [](const uint8_t* bgr, uint8_t* rgb) {
    rgb[0] = bgr[2], rgb[1] = bgr[1], rgb[2] = bgr[0];
  });
  stream.Flush();
}

void WritePgm(TBaseStream& stream, const TRevedBitmap& bitmap) {
  WriteHeader(stream, "P5", bitmap);
  WriteRows(stream, bitmap, 1, [](const uint8_t* p, uint8_t* grey) {
    *grey = static_cast<uint8_t>((2 * p[2] + 3 * p[1] + p[0]) / 6);
  });
  stream.Flush();
}

}  // namespace lumarte::imaging
