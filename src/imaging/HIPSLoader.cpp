#include "imaging/HIPSLoader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/CodecLimits.h"
#include "imaging/Endian.h"
#include "imaging/TextStrm.h"

namespace lumarte::imaging {

namespace {

// How the pixels after the header are stored.
enum class TSamples {
  Bytes,        // one byte per pixel: 8-bit grey
  ColorBytes,   // red, green, blue bytes
  ColorFloats,  // three little-endian floats, the first going to blue
  Float,        // one big-endian float per pixel: 8-bit grey
  FloatPlanes,  // little-endian float planes: red, green, blue
};

[[noreturn]] void Unsupported() {
  throw ERevedBitmap("Unsupported bitmap format");
}

// Decimal integer with optional leading blanks and sign, nothing after it.
bool TryParseInt(const std::string& s, int32_t& value) {
  size_t i = s.find_first_not_of(" \t");
  if (i == std::string::npos) return false;
  bool negative = s[i] == '-';
  if (s[i] == '-' || s[i] == '+') ++i;
  if (i == s.size()) return false;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
    if (v > int64_t{INT32_MAX} + 1) return false;
  }
  v = negative ? -v : v;
  if (v > INT32_MAX) return false;
  value = static_cast<int32_t>(v);
  return true;
}

int32_t ParseInt(const std::string& s) {
  int32_t v;
  if (!TryParseInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
  return v;
}

struct THipsHeader {
  int32_t Width = 0, Height = 0;
  int32_t Planes = 1;
  TSamples Samples = TSamples::Bytes;
};

TSamples SamplesOf(const std::string& format) {
  if (format == "0") return TSamples::Bytes;
  if (format == "3") return TSamples::Float;
  if (format == "35") return TSamples::ColorBytes;
  if (format == "37") return TSamples::ColorFloats;
  Unsupported();
}

// The new-style header after the line that repeats the height: region and
// format lines, plane count, history and description blocks, parameters.
void ReadNewStyleRest(TTextStream& text, THipsHeader& h) {
  std::string format;
  for (int i = 0; i < 4; ++i) format = text.ReadLine();
  h.Samples = SamplesOf(format);
  if (!TryParseInt(text.ReadLine(), h.Planes) || h.Planes < 1 || h.Planes > 500) h.Planes = 1;
  if (h.Samples == TSamples::Float && h.Planes >= 2) h.Samples = TSamples::FloatPlanes;
  CopyStream(text, nullptr, ParseInt(text.ReadLine()));  // history text
  CopyStream(text, nullptr, ParseInt(text.ReadLine()));  // description text
  int32_t parameters = ParseInt(text.ReadLine());
  for (int32_t i = 0; i < parameters; ++i) text.ReadLine();
  text.ReadLine();
}

THipsHeader ReadHeader(TTextStream& text) {
  text.ReadLine();
  text.ReadLine();
  // Name lines of either style come before the frame count.
  for (int i = 0; i < 201; ++i) {
    int32_t frames;
    if (TryParseInt(text.ReadLine(), frames) && frames < 500) break;
  }
  text.ReadLine();  // date
  THipsHeader h;
  std::string heightLine = text.ReadLine();
  h.Height = ParseInt(heightLine);
  h.Width = ParseInt(text.ReadLine());
  std::string next = text.ReadLine();
  if (next == heightLine) {
    ReadNewStyleRest(text, h);
  } else {
    if (next != "8") Unsupported();  // old style: bits per pixel
    for (int i = 0; i < 4; ++i) text.ReadLine();
  }
  return h;
}

int64_t BytesPerPixel(const THipsHeader& h) {
  switch (h.Samples) {
    case TSamples::Bytes:
      return 1;
    case TSamples::ColorBytes:
      return 3;
    case TSamples::ColorFloats:
      return 12;
    case TSamples::Float:
      return 4;
    case TSamples::FloatPlanes:
      return 4 * std::min(h.Planes, 3);
  }
  return 1;
}

// Rounded to the nearest integer (halves to even), then clamped to 0..255.
uint8_t FloatToByte(uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, 4);
  if (std::isnan(f)) return 0;
  return static_cast<uint8_t>(std::clamp(std::nearbyint(double(f)), 0.0, 255.0));
}

// Reads one row of samples per call and stores it into the buffer.
void ReadRowSamples(TTextStream& text, const THipsHeader& h, TRevedBitmap& b, int32_t y,
                    std::vector<uint8_t>& row) {
  uint8_t* dst = b.ScanLine(y);
  const int32_t w = h.Width;
  if (h.Samples == TSamples::Bytes) {
    text.ReadExact(dst, static_cast<size_t>(w));
    return;
  }
  text.ReadExact(row.data(), row.size());
  const uint8_t* s = row.data();
  for (int32_t x = 0; x < w; ++x) {
    switch (h.Samples) {
      case TSamples::ColorBytes:
        dst[3 * x] = s[3 * x + 2], dst[3 * x + 1] = s[3 * x + 1], dst[3 * x + 2] = s[3 * x];
        break;
      case TSamples::ColorFloats:
        for (int c = 0; c < 3; ++c) dst[3 * x + c] = FloatToByte(LittleEndian32(s + 12 * x + 4 * c));
        break;
      case TSamples::Float:
        dst[x] = FloatToByte(BigEndian32(s + 4 * x));
        break;
      default:
        break;
    }
  }
}

// Plane 1 is red, plane 2 green, plane 3 blue; a missing plane reads as 0.
void ReadFloatPlanes(TTextStream& text, const THipsHeader& h, TRevedBitmap& b) {
  std::vector<uint8_t> row(4 * static_cast<size_t>(h.Width));
  for (int p = 0; p < 3; ++p) {
    for (int32_t y = 0; y < h.Height; ++y) {
      uint8_t* dst = b.ScanLine(y) + 2 - p;
      if (p >= h.Planes) {
        for (int32_t x = 0; x < h.Width; ++x) dst[3 * x] = 0;
        continue;
      }
      text.ReadExact(row.data(), row.size());
      for (int32_t x = 0; x < h.Width; ++x) dst[3 * x] = FloatToByte(LittleEndian32(&row[4 * x]));
    }
  }
}

void ReadHIPS(TBaseStream& stream, TRevedBitmap& bitmap) {
  TTextStream text(-1, &stream, 0);
  text.SetLineEnd('\n');  // a carriage return stays part of the line
  THipsHeader h = ReadHeader(text);
  CheckImageSize(h.Width, h.Height);
  int64_t bytes = BytesPerPixel(h) * h.Width * h.Height;
  if (dynamic_cast<TSeekableStream*>(&stream) && text.Available() < bytes) RaiseShortTransfer();
  bool grey = h.Samples == TSamples::Bytes || h.Samples == TSamples::Float;
  bitmap.New(h.Width, h.Height, grey ? pf8bit : pf24bit);
  if (grey) *bitmap.Palette = DefaultPalette();
  if (h.Samples == TSamples::FloatPlanes) {
    ReadFloatPlanes(text, h, bitmap);
    return;
  }
  std::vector<uint8_t> row(static_cast<size_t>(BytesPerPixel(h) * h.Width));
  for (int32_t y = 0; y < h.Height; ++y) ReadRowSamples(text, h, bitmap, y, row);
}

}  // namespace

void THIPSLoader::LoadFromStream(TBaseStream& stream, const std::string& ext,
                                 TRevedBitmap& bitmap) {
  if (!CanLoad(ext)) throw ERevedBitmap("Unsupported file format");
  try {
    ReadHIPS(stream, bitmap);
  } catch (...) {
    bitmap.Dispose();
    throw;
  }
}

}  // namespace lumarte::imaging
