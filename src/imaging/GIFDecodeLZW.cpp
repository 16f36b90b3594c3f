// The GIF variant of LZW decoding: variable code width from minCodeSize + 1
// up to 12 bits, clear and end codes, and a table that stops growing at 4096
// entries until the next clear code.
#include <cstring>
#include <memory>

#include "imaging/GIFLoader.h"

namespace lumarte::imaging {

namespace {

constexpr int kMaxCodes = 4096;

// The string table: each entry is its prefix entry plus one pixel. Strings are
// written back to front straight into the output, which needs their length.
struct TLZWTable {
  uint16_t Prefix[kMaxCodes];
  uint16_t Length[kMaxCodes];
  uint8_t Suffix[kMaxCodes];
  uint8_t First[kMaxCodes];
};

// Least-significant-bit-first reader over the joined sub-blocks.
class TCodeReader {
 public:
  TCodeReader(const uint8_t* data, size_t size) : Data(data), Size(size) {}

  // False when the data end before a whole code.
  bool Next(int width, int& code) {
    if (Bits < width) {
      if (Pos + 8 <= Size) {
        uint64_t v;
        std::memcpy(&v, Data + Pos, 8);
        Acc |= v << Bits;
        Pos += (63 - Bits) >> 3;
        Bits |= 56;
      } else {
        while (Bits < width && Pos < Size) {
          Acc |= uint64_t{Data[Pos++]} << Bits;
          Bits += 8;
        }
        if (Bits < width) return false;
      }
    }
    code = static_cast<int>(Acc & ((1u << width) - 1));
    Acc >>= width;
    Bits -= width;
    return true;
  }

 private:
  const uint8_t* Data;
  size_t Size;
  size_t Pos = 0;
  uint64_t Acc = 0;
  int Bits = 0;
};

[[noreturn]] void InvalidCode() {
  throw EFormatError("Invalid LZW code");
}

// Writes the string of code at out; the caller has checked that it fits.
inline void WriteString(const TLZWTable& t, int code, int clear, uint8_t* out) {
  uint8_t* p = out + t.Length[code] - 1;
  while (code >= clear) {
    *p-- = t.Suffix[code];
    code = t.Prefix[code];
  }
  *p = static_cast<uint8_t>(code);
}

}  // namespace

size_t DecodeLZW(const uint8_t* data, size_t size, int minCodeSize, int colorCount, uint8_t* out,
                 size_t outSize) {
  // Sizes up to 11 still leave room for the clear and end codes in 12 bits;
  // literals must in any case index the colour table.
  if (minCodeSize < 1 || minCodeSize > 11) throw EFormatError("Invalid LZW code size");
  const int clear = 1 << minCodeSize, end = clear + 1;
  const int literals = colorCount < clear ? colorCount : clear;
  auto table = std::make_unique<TLZWTable>();
  TLZWTable& t = *table;
  for (int i = 0; i < literals; ++i) {
    t.Length[i] = 1;
    t.Suffix[i] = t.First[i] = static_cast<uint8_t>(i);
  }
  TCodeReader reader(data, size);
  int width = minCodeSize + 1, next = clear + 2, prev = -1, code;
  size_t n = 0;
  while (n < outSize && reader.Next(width, code)) {
    if (code == clear) {
      width = minCodeSize + 1;
      next = clear + 2;
      prev = -1;
      continue;
    }
    if (code == end) break;
    if (code < clear) {
      if (code >= literals) throw EFormatError("Invalid colour index");
    } else if (prev < 0 || code > next) {
      // A table code needs a previous string; a code past the next free
      // entry names nothing.
      InvalidCode();
    }
    if (prev >= 0 && next < kMaxCodes) {
      // code == next is the string of prev followed by its own first pixel.
      t.Prefix[next] = static_cast<uint16_t>(prev);
      t.Suffix[next] = t.First[code == next ? prev : code];
      t.First[next] = t.First[prev];
      t.Length[next] = static_cast<uint16_t>(t.Length[prev] + 1);
      if (++next == (1 << width) && width < 12) ++width;
    }
    size_t len = t.Length[code];
    if (len <= outSize - n) {
      WriteString(t, code, clear, out + n);
      n += len;
    } else {
      uint8_t tail[kMaxCodes];
      WriteString(t, code, clear, tail);
      std::memcpy(out + n, tail, outSize - n);
      n = outSize;
    }
    prev = code;
  }
  return n;
}

std::vector<int> InterlacedRowOrder(int height) {
  std::vector<int> rows;
  rows.reserve(static_cast<size_t>(height));
  static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
  return rows;
}

}  // namespace lumarte::imaging
