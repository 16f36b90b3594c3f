#include "imaging/PCXLoader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/BufStream.h"
#include "imaging/ByteReader.h"
#include "imaging/CodecLimits.h"
#include "imaging/Endian.h"

namespace lumarte::imaging {

namespace {

constexpr int kHeaderSize = 128;
constexpr uint8_t kPaletteMark = 12;
constexpr int kMaxRun = 63;

[[noreturn]] void NotOurPcx() {
  throw ERevedBitmap("Unsupported file format");
}
[[noreturn]] void Overflow() {
  throw ERevedBitmap("Error in bitmap data");
}

void PutLe16(uint8_t* p, int64_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

struct TPcxHeader {
  int Planes = 1;
  int64_t BytesPerLine = 0;  // the decoding width
  int64_t Width = 0;         // Xmax - Xmin + 1, the width kept
  int64_t Height = 0;
};

TPcxHeader ReadHeader(TByteReader& in) {
  uint8_t h[kHeaderSize];
  in.Read(h, sizeof h);
  if (h[0] != 10 || h[1] != 5 || h[2] != 1 || h[3] != 8 || (h[65] != 1 && h[65] != 3)) NotOurPcx();
  TPcxHeader r;
  r.Planes = h[65];
  r.BytesPerLine = LittleEndian16(h + 66);
  r.Width = int64_t{LittleEndian16(h + 8)} - LittleEndian16(h + 4) + 1;
  r.Height = int64_t{LittleEndian16(h + 10)} - LittleEndian16(h + 6) + 1;
  CheckImageSize(r.BytesPerLine, r.Height);
  // A window narrower than one pixel would leave nothing to show.
  CheckImageSize(r.Width, r.Height);
  return r;
}

// Next run of the data: count (a count of 0 counts as 1) and value.
int NextRun(TByteReader& in, uint8_t& value) {
  uint8_t b = in.Byte();
  if ((b & 0xC0) != 0xC0) {
    value = b;
    return 1;
  }
  value = in.Byte();
  return (b & 0x3F) ? (b & 0x3F) : 1;
}

void DecodeOnePlane(TByteReader& in, TRevedBitmap& b) {
  uint8_t* p = b.Map.get();
  uint8_t* end = p + b.Size;
  while (p < end) {
    uint8_t v;
    int n = NextRun(in, v);
    if (n > end - p) Overflow();
    std::memset(p, v, static_cast<size_t>(n));
    p += n;
  }
}

// Each scan line holds the red plane, then green, then blue; runs may cross
// plane and line ends.
void DecodeThreePlanes(TByteReader& in, TRevedBitmap& b) {
  const int32_t w = b.Width;
  int32_t x = 0, plane = 0, y = 0;
  while (y < b.Height) {
    uint8_t v;
    int n = NextRun(in, v);
    while (n > 0) {
      if (y == b.Height) Overflow();
      int chunk = std::min(n, w - x);
      uint8_t* p = b.ScanLine(y) + 3 * x + 2 - plane;
      for (int i = 0; i < chunk; ++i) p[3 * i] = v;
      x += chunk, n -= chunk;
      if (x < w) continue;
      x = 0;
      if (++plane == 3) plane = 0, ++y;
    }
  }
}

// The 256-colour table follows the first byte 12 after the pixels; without
// one the palette stays as it was.
void ReadPalette(TByteReader& in, TRevedBitmap& b) {
  uint8_t c;
  do {
    if (!in.TryByte(c)) return;
  } while (c != kPaletteMark);
  uint8_t rgb[768];
  in.Read(rgb, sizeof rgb);
  for (int i = 0; i < 256; ++i) {
    (*b.Palette)[3 * i] = rgb[3 * i + 2];
    (*b.Palette)[3 * i + 1] = rgb[3 * i + 1];
    (*b.Palette)[3 * i + 2] = rgb[3 * i];
  }
}

void ReadPCX(TBaseStream& stream, TRevedBitmap& bitmap) {
  TByteReader in(stream);
  TPcxHeader h = ReadHeader(in);
  // Two bytes encode at most 63 values: less data than that is surely short.
  int64_t values = h.BytesPerLine * h.Planes * h.Height;
  if (in.KnownShort((values + kMaxRun - 1) / kMaxRun * 2)) RaiseShortTransfer();
  bitmap.New(static_cast<int32_t>(h.BytesPerLine), static_cast<int32_t>(h.Height),
             h.Planes == 1 ? pf8bit : pf24bit);
  if (h.Planes == 1)
    DecodeOnePlane(in, bitmap);
  else
    DecodeThreePlanes(in, bitmap);
  if (h.Width != h.BytesPerLine)
    bitmap.ResizeCanvas(static_cast<int32_t>(h.Width), bitmap.Height, 0, 0, 0);
  if (h.Planes == 1) ReadPalette(in, bitmap);
}

// ---- writing ----

void WriteHeader(TBaseStream& out, const TRevedBitmap& b, int planes) {
  uint8_t h[kHeaderSize] = {10, 5, 1, 8};
  PutLe16(h + 8, b.Width - 1);
  PutLe16(h + 10, b.Height - 1);
  PutLe16(h + 12, 96);
  PutLe16(h + 14, 96);
  h[65] = static_cast<uint8_t>(planes);
  PutLe16(h + 66, b.Width);
  out.WriteExact(h, sizeof h);
}

// Runs never cross a plane row; a single value below 192 goes out bare.
// Writes at most two bytes per value and returns the count written.
size_t EncodeRun(const uint8_t* src, size_t count, size_t stride, uint8_t* out) {
  uint8_t* start = out;
  for (size_t i = 0; i < count;) {
    uint8_t v = src[i * stride];
    size_t n = 1;
    while (i + n < count && n < kMaxRun && src[(i + n) * stride] == v) ++n;
    if (n > 1 || (v & 0xC0) == 0xC0) *out++ = static_cast<uint8_t>(0xC0 | n);
    *out++ = v;
    i += n;
  }
  return static_cast<size_t>(out - start);
}

void WriteRows(TBaseStream& out, const TRevedBitmap& b) {
  const size_t w = static_cast<size_t>(b.Width);
  std::vector<uint8_t> encoded(2 * 3 * w);
  for (int32_t y = 0; y < b.Height; ++y) {
    const uint8_t* row = b.ScanLine(y);
    size_t n = 0;
    if (b.PixelFormat == pf8bit)
      n = EncodeRun(row, w, 1, encoded.data());
    else
      for (int p = 2; p >= 0; --p) n += EncodeRun(row + p, w, 3, encoded.data() + n);  // red first
    out.WriteExact(encoded.data(), n);
  }
}

void WritePalette(TBaseStream& out, const TPalette& pal) {
  uint8_t rgb[1 + 768];
  rgb[0] = kPaletteMark;
  for (int i = 0; i < 256; ++i) {
    rgb[1 + 3 * i] = pal[3 * i + 2];
    rgb[2 + 3 * i] = pal[3 * i + 1];
    rgb[3 + 3 * i] = pal[3 * i];
  }
  out.WriteExact(rgb, sizeof rgb);
}

}  // namespace

void TPCXLoader::LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) {
  if (!CanLoad(ext)) throw ERevedBitmap("Unsupported file format");
  try {
    ReadPCX(stream, bitmap);
  } catch (...) {
    bitmap.Dispose();
    throw;
  }
}

void TPCXLoader::SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) {
  if (!CanSave(ext)) throw ERevedBitmap("Unsupported file format");
  if (!bitmap.Present || bitmap.Width > kMaxImageSide || bitmap.Height > kMaxImageSide)
    throw ERevedBitmap("Invalid bitmap size");
  TBufferedStream out(0, &stream, -1);
  WriteHeader(out, bitmap, bitmap.PixelFormat == pf8bit ? 1 : 3);
  WriteRows(out, bitmap);
  if (bitmap.PixelFormat == pf8bit) WritePalette(out, *bitmap.Palette);
  out.Flush();
}

}  // namespace lumarte::imaging
