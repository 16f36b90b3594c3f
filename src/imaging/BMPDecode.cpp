// Reading Windows and OS/2 bitmaps: core, info, V2-V5 and OS/2 2.x headers;
// 1, 2, 4, 8, 16, 24 and 32 bits; uncompressed, RLE4, RLE8 and bit-field masks.
#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "imaging/BMPLoader.h"
#include "imaging/ByteReader.h"
#include "imaging/CodecLimits.h"
#include "imaging/DIBFields.h"
#include "imaging/Endian.h"

namespace lumarte::imaging {

namespace {

[[noreturn]] void BadData() {
  throw ERevedBitmap("Error in bitmap data");
}
[[noreturn]] void Unsupported() {
  throw ERevedBitmap("Unsupported bitmap format");
}

struct TBmpHeader : TDIBFields {
  uint32_t OffBits = 0;
  uint32_t HeaderSize = 0;
  bool Os2v2 = false;    // OS/2 2.x gives compression codes 3 and 4 other meanings
  int64_t Consumed = 0;  // bytes read so far
};

bool IsWindowsHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Masks of the bit-field compressions follow a plain info header.
void ReadTrailingMasks(TByteReader& in, TBmpHeader& h) {
  if (h.HeaderSize != 40) return;
  for (int i = 0; i < 3; ++i) h.Masks[i] = in.DWordLE();
  h.Consumed += 12;
  if (h.Compression == biAlphaBitfields) {
    in.DWordLE();  // alpha: not kept
    h.Consumed += 4;
  }
}

bool ValidDepth(const TBmpHeader& h) {
  switch (h.Compression) {
    case biRGB:
      return h.Bits == 1 || h.Bits == 2 || h.Bits == 4 || h.Bits == 8 || h.Bits == 16 ||
             h.Bits == 24 || h.Bits == 32;
    case biRLE8:
      return h.Bits == 8;
    case biRLE4:
      return h.Bits == 4;
    case biBitfields:
    case biAlphaBitfields:
      return h.Bits == 16 || h.Bits == 32;
  }
  return false;
}

TBmpHeader ReadHeader(TByteReader& in) {
  TBmpHeader h;
  uint8_t file[14];
  in.Read(file, sizeof file);
  if (file[0] != 'B' || file[1] != 'M') throw ERevedBitmap("Unsupported file format");
  h.OffBits = LittleEndian32(file + 10);
  h.HeaderSize = in.DWordLE();
  h.Os2v2 = h.HeaderSize >= 16 && h.HeaderSize <= 64 && !IsWindowsHeaderSize(h.HeaderSize);
  if (h.HeaderSize != 12 && !h.Os2v2 && !IsWindowsHeaderSize(h.HeaderSize)) Unsupported();
  // Fields that a short OS/2 2.x header leaves out read as zero.
  uint8_t header[128] = {};
  in.Read(header + 4, h.HeaderSize - 4);
  static_cast<TDIBFields&>(h) = ReadDIBFields(header, h.HeaderSize);
  h.Consumed = 14 + h.HeaderSize;
  // OS/2 2.x codes 3 and 4 are Huffman 1D and RLE24; Windows codes 4 and 5
  // are embedded JPEG and PNG for printers.
  if (h.Os2v2 && h.Compression >= 3) Unsupported();
  if (!ValidDepth(h)) Unsupported();
  if (h.TopDown && h.Compression != biRGB && h.Compression != biBitfields &&
      h.Compression != biAlphaBitfields)
    Unsupported();  // run-length data is always stored bottom-up
  CheckImageSize(h.Width, h.Height);
  if (h.Compression == biBitfields || h.Compression == biAlphaBitfields) ReadTrailingMasks(in, h);
  return h;
}

// Reads the colour table into the buffer's palette (entries beyond it stay
// black) and returns how many entries it has. The pixel offset may cut a
// table short of the size the header declares.
int ReadPalette(TByteReader& in, TBmpHeader& h, TPalette& palette) {
  palette.fill(0);
  if (h.Bits > 8) return 0;
  uint32_t most = 1u << h.Bits;
  if (h.ColorsUsed > most) BadData();
  int64_t count = h.ColorsUsed ? h.ColorsUsed : most;
  if (h.OffBits) {
    if (h.OffBits < h.Consumed) BadData();
    count = std::min<int64_t>(count, (h.OffBits - h.Consumed) / h.PaletteEntrySize);
  }
  uint8_t entry[4];
  for (int i = 0; i < count; ++i) {
    in.Read(entry, h.PaletteEntrySize);
    std::memcpy(&palette[3 * i], entry, 3);  // both store blue, green, red
  }
  h.Consumed += count * h.PaletteEntrySize;
  return static_cast<int>(count);
}

void SkipToPixels(TByteReader& in, const TBmpHeader& h) {
  if (!h.OffBits) return;  // no offset given: the pixels follow the table
  if (h.OffBits < h.Consumed) BadData();
  in.Skip(h.OffBits - h.Consumed);
}

// ---- uncompressed rows ----

void CheckIndices(const uint8_t* p, int64_t n, int colors) {
  if (colors >= 256) return;
  for (int64_t i = 0; i < n; ++i)
    if (p[i] >= colors) BadData();
}

// One colour channel of a masked pixel, scaled to 0..255.
struct TMaskChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint64_t Max = 0;

  explicit TMaskChannel(uint32_t mask) : Mask(mask) {
    if (!mask) return;
    Shift = std::countr_zero(mask);
    uint64_t bits = mask >> Shift;
    if (bits & (bits + 1)) Unsupported();  // not one run of ones
    Max = bits;
  }
  uint8_t operator()(uint32_t pixel) const {
    if (!Max) return 0;
    uint64_t v = (pixel & Mask) >> Shift;
    return static_cast<uint8_t>((v * 255 + Max / 2) / Max);
  }
};

class TMaskedRow {
 public:
  TMaskedRow(const TBmpHeader& h) : Bytes(h.Bits / 8), R(h.Masks[0]), G(h.Masks[1]), B(h.Masks[2]) {
    if (Bytes == 2 && (h.Masks[0] | h.Masks[1] | h.Masks[2]) > 0xFFFF) Unsupported();
    Plain = Bytes == 4 && h.Masks[0] == 0xFF0000 && h.Masks[1] == 0xFF00 && h.Masks[2] == 0xFF;
  }
  void Convert(const uint8_t* src, uint8_t* dst, int64_t width) const {
    if (Plain) {
      for (int64_t x = 0; x < width; ++x, src += 4, dst += 3) std::memcpy(dst, src, 3);
      return;
    }
    for (int64_t x = 0; x < width; ++x, src += Bytes, dst += 3) {
      uint32_t px = Bytes == 2 ? LittleEndian16(src) : LittleEndian32(src);
      dst[0] = B(px), dst[1] = G(px), dst[2] = R(px);
    }
  }

 private:
  int Bytes;
  TMaskChannel R, G, B;
  bool Plain = false;
};

void DefaultMasks(TBmpHeader& h) {
  if (h.Compression != biRGB) return;
  if (h.Bits == 16) h.Masks = {0x7C00, 0x3E0, 0x1F, 0};
  if (h.Bits == 32) h.Masks = {0xFF0000, 0xFF00, 0xFF, 0};
}

void DecodeRows(TByteReader& in, const TBmpHeader& h, int colors, TRevedBitmap& bmp) {
  const int64_t w = h.Width, rowData = (w * h.Bits + 7) / 8;
  const int64_t pad = (4 - rowData % 4) % 4;
  // The last row's padding may be missing; everything else must be there.
  if (in.KnownShort((rowData + pad) * (h.Height - 1) + rowData)) RaiseShortTransfer();
  std::vector<uint8_t> row(static_cast<size_t>(rowData));
  std::unique_ptr<TMaskedRow> masked;
  if (h.Bits > 8 && h.Bits != 24) masked = std::make_unique<TMaskedRow>(h);
  for (int64_t i = 0; i < h.Height; ++i) {
    uint8_t* dst = bmp.ScanLine(static_cast<int32_t>(h.TopDown ? i : h.Height - 1 - i));
    if (h.Bits == 24 || h.Bits == 8) {
      in.Read(dst, static_cast<size_t>(rowData));
      if (h.Bits == 8) CheckIndices(dst, w, colors);
    } else {
      in.Read(row.data(), row.size());
      if (masked) {
        masked->Convert(row.data(), dst, w);
      } else {
        UnpackIndices(row.data(), dst, w, h.Bits);
        CheckIndices(dst, w, colors);
      }
    }
    if (i + 1 < h.Height) in.Skip(pad);
  }
}

// ---- run-length rows (bottom-up only) ----

class TRleDecoder {
 public:
  TRleDecoder(TByteReader& in, TRevedBitmap& bmp, int bits, int colors)
      : In(in), Bmp(bmp), Bits(bits), Colors(colors) {}

  void Run() {
    while (Row < Bmp.Height) {
      uint8_t n = In.Byte(), v = In.Byte();
      if (n)
        Encoded(n, v);
      else if (v == 0)
        X = 0, ++Row;  // end of line
      else if (v == 1)
        return;  // end of bitmap
      else if (v == 2)
        Delta();
      else
        Absolute(v);
    }
  }

 private:
  // Common writers encode each row's padding bytes as pixels, so a run may
  // reach into the padding of its row: those pixels are dropped. A run past
  // the padding is damage.
  int64_t PaddedWidth() const {
    int64_t w = Bmp.Width;
    return Bits == 8 ? (w + 3) & ~int64_t{3} : (w + 7) & ~int64_t{7};
  }
  // Claims n pixels of the current row; returns how many of them are inside
  // the image, and where they go.
  int Span(int n, uint8_t*& p) {
    if (X + n > PaddedWidth()) BadData();
    int visible = static_cast<int>(std::clamp<int64_t>(Bmp.Width - X, 0, n));
    p = visible ? Bmp.ScanLine(static_cast<int32_t>(Bmp.Height - 1 - Row)) + X : nullptr;
    X += n;
    return visible;
  }
  uint8_t Index(int v) const {
    if (v >= Colors) BadData();
    return static_cast<uint8_t>(v);
  }
  void Encoded(int n, uint8_t v) {
    uint8_t* p;
    int visible = Span(n, p);
    if (Bits == 8) {
      if (visible) std::memset(p, Index(v), visible);
      return;
    }
    for (int i = 0; i < visible; ++i) p[i] = Index(i & 1 ? v & 15 : v >> 4);
  }
  void Delta() {
    X += In.Byte();
    Row += In.Byte();
    if (X > Bmp.Width || Row > Bmp.Height) BadData();
  }
  // n literal pixels, padded to a whole number of 16-bit words.
  void Absolute(int n) {
    uint8_t data[256];
    int bytes = Bits == 8 ? n : (n + 1) / 2;
    In.Read(data, static_cast<size_t>((bytes + 1) & ~1));
    uint8_t* p;
    int visible = Span(n, p);
    for (int i = 0; i < visible; ++i)
      p[i] = Index(Bits == 8 ? data[i] : i & 1 ? data[i / 2] & 15 : data[i / 2] >> 4);
  }

  TByteReader& In;
  TRevedBitmap& Bmp;
  int Bits, Colors;
  int64_t X = 0, Row = 0;
};

void ExpandPalette(TRevedBitmap& b) {
  TRevedBitmap indexed(b);
  b.New(indexed.Width, indexed.Height, pf24bit);
  for (int32_t i = 0; i < indexed.Size; ++i)
    std::memcpy(&b.Map[3 * size_t(i)], &(*indexed.Palette)[3 * indexed.Map[i]], 3);
}

}  // namespace

void ReadBMP(TBaseStream& stream, TRevedBitmap& bitmap) {
  TByteReader in(stream);
  TBmpHeader h = ReadHeader(in);
  TPalette palette;
  int colors = ReadPalette(in, h, palette);
  SkipToPixels(in, h);
  DefaultMasks(h);
  bitmap.New(static_cast<int32_t>(h.Width), static_cast<int32_t>(h.Height),
             h.Bits <= 8 ? pf8bit : pf24bit);
  if (h.Bits <= 8) *bitmap.Palette = palette;
  if (h.Compression == biRLE8 || h.Compression == biRLE4)
    TRleDecoder(in, bitmap, h.Bits, colors).Run();
  else
    DecodeRows(in, h, colors, bitmap);
  // Only 1-, 4- and 8-bit rasters stay paletted; 2 bits is a depth of its own
  // and loads as true colour like every other.
  if (h.Bits == 2) ExpandPalette(bitmap);
}

void TBMPLoader::LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) {
  if (!CanLoad(ext)) throw ERevedBitmap("Unsupported file format");
  try {
    ReadBMP(stream, bitmap);
  } catch (...) {
    bitmap.Dispose();
    throw;
  }
}

}  // namespace lumarte::imaging
