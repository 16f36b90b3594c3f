#include "Jp2Markers.h"

#include <cstring>

#include "imaging/Endian.h"

namespace lumarte::jp2 {

namespace {

using imaging::BigEndian16;
using imaging::BigEndian32;

constexpr uint16_t kSOT = 0xFF90, kSOD = 0xFF93, kEOC = 0xFFD9, kSIZ = 0xFF51, kCOD = 0xFF52,
                   kCOC = 0xFF53, kCAP = 0xFF50;
constexpr uint8_t kHighThroughputStyle = 0x40;

// The codestream inside a JP2 file (its "jp2c" box), or the data itself.
bool FindCodestream(const uint8_t*& data, size_t& size) {
  if (size >= 2 && data[0] == 0xFF && data[1] == 0x4F) return true;
  size_t at = 0;
  while (size - at >= 8) {
    uint64_t length = BigEndian32(data + at), header = 8;
    if (length == 1) {
      if (size - at < 16) return false;
      length = uint64_t{BigEndian32(data + at + 8)} << 32 | BigEndian32(data + at + 12);
      header = 16;
    } else if (length == 0) {
      length = size - at;
    }
    if (length < header || length > size - at) return false;
    if (std::memcmp(data + at + 4, "jp2c", 4) == 0) {
      data += at + header;
      size = length - header;
      return true;
    }
    at += length;
  }
  return false;
}

struct TWalker {
  const uint8_t* Data;
  size_t Size;
  uint32_t Components = 0;

  // Checks the segments from at up to the marker that ends the header (SOT
  // or SOD) and leaves at there; true as soon as one asks for
  // high-throughput blocks.
  bool Header(size_t& at, uint16_t stop) {
    while (at <= Size && Size - at >= 4) {
      const uint16_t marker = static_cast<uint16_t>(BigEndian16(Data + at));
      if (marker == stop || marker == kEOC) return false;
      const size_t length = BigEndian16(Data + at + 2);
      if (length < 2 || length > Size - at - 2) break;
      const uint8_t* s = Data + at + 4;  // the segment after its length
      if (marker == kCAP) return true;
      if (marker == kSIZ && length >= 38) Components = BigEndian16(s + 34);
      if (marker == kCOD && length >= 12 && s[8] & kHighThroughputStyle) return true;
      if (marker == kCOC) {
        const size_t index = Components < 257 ? 1 : 2;
        if (length >= 2 + index + 5 && s[index + 4] & kHighThroughputStyle) return true;
      }
      at += 2 + length;
    }
    at = Size;
    return false;
  }
};

}  // namespace

bool UsesHighThroughputBlocks(const uint8_t* data, size_t size) {
  if (!FindCodestream(data, size) || size < 2) return false;
  TWalker w{data, size};
  size_t at = 2;  // after SOC
  if (w.Header(at, kSOT)) return true;
  while (size - at >= 12 && BigEndian16(data + at) == kSOT) {
    const size_t start = at;
    const size_t tilePart = BigEndian32(data + at + 6);
    at += 2 + BigEndian16(data + at + 2);  // within size: SOT's length field is there
    if (w.Header(at, kSOD)) return true;
    if (tilePart == 0 || tilePart > size - start) break;  // the last tile-part
    at = start + tilePart;
  }
  return false;
}

}  // namespace lumarte::jp2
