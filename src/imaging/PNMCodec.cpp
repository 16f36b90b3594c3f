#include "imaging/PNMCodec.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/BufStream.h"
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
  if (maxValue == 255) {
    std::memcpy(dst, src, count);
    return;
  }
  for (size_t i = 0; i < count; ++i) {
    int64_t v = maxValue > 255 ? src[2 * i] << 8 | src[2 * i + 1] : src[i];
    v = std::min(v, maxValue);
    dst[i] = static_cast<uint8_t>((v * 255 + maxValue / 2) / maxValue);
  }
}

void WriteHeader(TBaseStream& out, const char* magic, const TRevedBitmap& b) {
  if (!b.Present) throw ERevedBitmap("Invalid bitmap size");
  std::string h = std::string(magic) + "\n" + std::to_string(b.Width) + " " +
                  std::to_string(b.Height) + "\n255\n";
  out.WriteExact(h.data(), h.size());
}

const uint8_t* PixelBgr(const TRevedBitmap& b, const uint8_t* row, int32_t x) {
  return b.PixelFormat == pf24bit ? row + 3 * x : &(*b.Palette)[3 * row[x]];
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
             channels == 3 ? pf24bit : pf8bit);
  if (channels == 1) *bitmap.Palette = DefaultPalette();
  std::vector<uint8_t> row(rowBytes);
  for (int32_t y = 0; y < bitmap.Height; ++y) {
    in.Read(row.data(), rowBytes);
    uint8_t* dst = bitmap.ScanLine(y);
    ScaleSamples(row.data(), dst, samples, maxValue);
    if (channels == 3)
      for (int32_t x = 0; x < bitmap.Width; ++x) std::swap(dst[3 * x], dst[3 * x + 2]);
  }
}

void WritePpm(TBaseStream& stream, const TRevedBitmap& bitmap) {
  TBufferedStream out(0, &stream, -1);
  WriteHeader(out, "P6", bitmap);
  std::vector<uint8_t> rgb(3 * static_cast<size_t>(bitmap.Width));
  for (int32_t y = 0; y < bitmap.Height; ++y) {
    const uint8_t* row = bitmap.ScanLine(y);
    for (int32_t x = 0; x < bitmap.Width; ++x) {
      const uint8_t* p = PixelBgr(bitmap, row, x);
      rgb[3 * x] = p[2], rgb[3 * x + 1] = p[1], rgb[3 * x + 2] = p[0];
    }
    out.WriteExact(rgb.data(), rgb.size());
  }
  out.Flush();
}

void WritePgm(TBaseStream& stream, const TRevedBitmap& bitmap) {
  TBufferedStream out(0, &stream, -1);
  WriteHeader(out, "P5", bitmap);
  std::vector<uint8_t> grey(static_cast<size_t>(bitmap.Width));
  for (int32_t y = 0; y < bitmap.Height; ++y) {
    const uint8_t* row = bitmap.ScanLine(y);
    for (int32_t x = 0; x < bitmap.Width; ++x) {
      const uint8_t* p = PixelBgr(bitmap, row, x);
      grey[x] = static_cast<uint8_t>((2 * p[2] + 3 * p[1] + p[0]) / 6);
    }
    out.WriteExact(grey.data(), grey.size());
  }
  out.Flush();
}

}  // namespace lumarte::imaging
