#include "imaging/DIBDecode.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#include "imaging/Endian.h"

namespace lumarte::imaging {

namespace {

[[noreturn]] void Fail(TDIBFault kind, const char* why) {
  throw EDIBError(kind, why);
}

constexpr size_t kMaxTableEntries = 65536;

bool IsWindowsHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsOs2v2HeaderSize(uint32_t size) {
  return size >= 16 && size <= 64 && !IsWindowsHeaderSize(size);
}

void CheckSize(const TDIBHeader& h, const TDIBRules& rules) {
  if (h.Width < 1 || h.Height < 1) Fail(TDIBFault::Size, "empty or negative size");
  if (h.Width > kMaxImageSide || h.Height > kMaxImageSide ||
      h.Width * h.Height > MaxImagePixels() || h.Width * h.Height > rules.MaxPixels)
    Fail(TDIBFault::Size, "too large");
}

// ---- colour table ----

int ReadTable(const TDIBHeader& h, const uint8_t* p, size_t bytes, const TDIBRules& rules,
              TPalette& palette) {
  palette.fill(0);
  size_t count = std::min<size_t>({h.TableEntries, bytes / h.EntrySize, 256});
  for (size_t i = 0; i < count; ++i, p += h.EntrySize) {
    if (rules.TableOfIndices)
      std::memset(&palette[3 * i], LittleEndian16(p) & 0xFF, 3);
    else
      std::memcpy(&palette[3 * i], p, 3);  // both store blue, green, red
  }
  return static_cast<int>(count);
}

// ---- uncompressed rows ----

// One colour channel of a masked pixel, scaled to 0..255 with rounding.
struct TMaskChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint64_t Max = 0;

  explicit TMaskChannel(uint32_t mask) : Mask(mask) {
    if (!mask) return;
    Shift = std::countr_zero(mask);
    uint64_t bits = mask >> Shift;
    if (bits & (bits + 1)) Fail(TDIBFault::Unsupported, "colour mask not one run of bits");
    Max = bits;
  }
  uint8_t operator()(uint32_t pixel, uint8_t absent = 0) const {
    if (!Max) return absent;
    uint64_t v = (pixel & Mask) >> Shift;
    return static_cast<uint8_t>((v * 255 + Max / 2) / Max);
  }
};

class TMaskedRow {
 public:
  explicit TMaskedRow(const TDIBHeader& h, bool keepAlpha)
      : Bytes(h.Bits / 8),
        R(h.Masks[0]),
        G(h.Masks[1]),
        B(h.Masks[2]),
        A(keepAlpha ? h.Masks[3] : 0) {
    if (Bytes == 2 && (h.Masks[0] | h.Masks[1] | h.Masks[2] | A.Mask) > 0xFFFF)
      Fail(TDIBFault::Unsupported, "colour masks wider than the pixel");
    Plain = Bytes == 4 && h.Masks[0] == 0xFF0000 && h.Masks[1] == 0xFF00 && h.Masks[2] == 0xFF;
  }
  void Convert(const uint8_t* src, uint8_t* dst, uint8_t* alpha, int64_t width) const {
    if (Plain && !alpha) {
      for (int64_t x = 0; x < width; ++x, src += 4, dst += 3) std::memcpy(dst, src, 3);
      return;
    }
    for (int64_t x = 0; x < width; ++x, src += Bytes, dst += 3) {
      uint32_t px = Bytes == 2 ? LittleEndian16(src) : LittleEndian32(src);
      dst[0] = B(px), dst[1] = G(px), dst[2] = R(px);
      if (alpha) alpha[x] = A(px, 255);
    }
  }

 private:
  int Bytes;
  TMaskChannel R, G, B, A;
  bool Plain = false;
};

std::array<uint32_t, 4> RowMasks(const TDIBHeader& h, bool keepAlpha) {
  if (h.Compression != biRGB) return h.Masks;
  if (h.Bits == 16) return {0x7C00, 0x3E0, 0x1F, 0};
  // The fourth byte of a plain 32-bit pixel is alpha only where alpha is drawn.
  return {0xFF0000, 0xFF00, 0xFF, keepAlpha ? 0xFF000000 : 0};
}

void CheckIndices(const uint8_t* p, int64_t n, int colors) {
  for (int64_t i = 0; i < n; ++i)
    if (p[i] >= colors) Fail(TDIBFault::Damaged, "colour index past the table");
}

void DecodeRows(const TDIBHeader& h, int colors, TDIBSource& in, const TDIBRules& rules,
                TRevedBitmap& bmp, std::vector<uint8_t>& alpha) {
  const int64_t w = h.Width, rowData = (w * h.Bits + 7) / 8;
  const int64_t pad = h.Stride() - rowData;
  // The last row's padding may be missing; everything else must be there.
  if (in.KnownShort(h.Stride() * (h.Height - 1) + rowData))
    Fail(TDIBFault::Short, "pixel data missing");
  const bool checkIndices = h.Bits <= 8 && rules.DamageFails && colors < 256;
  std::vector<uint8_t> row(static_cast<size_t>(rowData));
  TDIBHeader masked = h;
  masked.Masks = RowMasks(h, rules.KeepAlpha);
  std::unique_ptr<TMaskedRow> convert;
  if (h.Bits > 8 && h.Bits != 24) convert = std::make_unique<TMaskedRow>(masked, rules.KeepAlpha);
  for (int64_t i = 0; i < h.Height; ++i) {
    const int64_t y = h.TopDown ? i : h.Height - 1 - i;
    uint8_t* dst = bmp.ScanLine(static_cast<int32_t>(y));
    bool direct = h.Bits == 24 || h.Bits == 8;
    if (!in.Read(direct ? dst : row.data(), static_cast<size_t>(rowData)))
      Fail(TDIBFault::Short, "pixel data missing");
    if (convert)
      convert->Convert(row.data(), dst, alpha.empty() ? nullptr : &alpha[y * w], w);
    else if (!direct)
      UnpackIndices(row.data(), dst, w, h.Bits);
    if (checkIndices) CheckIndices(dst, w, colors);
    if (i + 1 < h.Height) in.Skip(pad);
  }
}

// ---- run-length rows (bottom-up only) ----

class TRleDecoder {
 public:
  TRleDecoder(TDIBSource& in, const TDIBHeader& h, int colors, const TDIBRules& rules,
              TRevedBitmap& bmp, std::vector<uint8_t>& alpha)
      : In(in), Bmp(bmp), Alpha(alpha), Bits(h.Bits), Colors(colors), Strict(rules.DamageFails) {}

  void Run() {
    uint8_t op[2];
    while (Row < Bmp.Height && Next(op, 2)) {
      if (op[0])
        Encoded(op[0], op[1]);
      else if (op[1] == 0)
        X = 0, ++Row;  // end of line
      else if (op[1] == 1)
        return;  // end of bitmap
      else if (op[1] == 2)
        Delta();
      else
        Absolute(op[1]);
    }
  }

 private:
  // Data that ends early ends the picture, unless damage fails it.
  bool Next(uint8_t* data, size_t count) {
    if (In.Read(data, count)) return true;
    if (Strict) Fail(TDIBFault::Short, "run-length data cut short");
    Row = Bmp.Height;
    return false;
  }
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
    if (Strict && X + n > PaddedWidth()) Fail(TDIBFault::Damaged, "run past its row");
    int visible = static_cast<int>(std::clamp<int64_t>(Bmp.Width - X, 0, n));
    int64_t y = Bmp.Height - 1 - Row;
    p = visible ? Bmp.ScanLine(static_cast<int32_t>(y)) + X : nullptr;
    if (visible && !Alpha.empty()) std::memset(&Alpha[y * Bmp.Width + X], 255, visible);
    X += n;
    return visible;
  }
  uint8_t Index(int v) const {
    if (Strict && v >= Colors) Fail(TDIBFault::Damaged, "colour index past the table");
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
    uint8_t d[2];
    if (!Next(d, 2)) return;
    X += d[0];
    Row += d[1];
    if (Strict && (X > Bmp.Width || Row > Bmp.Height))
      Fail(TDIBFault::Damaged, "delta out of the image");
  }
  // n literal pixels, padded to a whole number of 16-bit words.
  void Absolute(int n) {
    uint8_t data[256];
    int bytes = Bits == 8 ? n : (n + 1) / 2;
    if (!Next(data, static_cast<size_t>(bytes))) return;
    if (bytes & 1) In.Skip(1);  // to the next 16-bit word
    uint8_t* p;
    int visible = Span(n, p);
    for (int i = 0; i < visible; ++i)
      p[i] = Index(Bits == 8 ? data[i] : i & 1 ? data[i / 2] & 15 : data[i / 2] >> 4);
  }

  TDIBSource& In;
  TRevedBitmap& Bmp;
  std::vector<uint8_t>& Alpha;
  int Bits, Colors;
  bool Strict;
  int64_t X = 0, Row = 0;
};

}  // namespace

bool KnownDIBHeaderSize(uint32_t size) {
  return size == 12 || IsWindowsHeaderSize(size) || IsOs2v2HeaderSize(size);
}

int DIBTrailingMasks(uint32_t headerSize, uint32_t compression) {
  if (headerSize != 40) return 0;
  return compression == biBitfields ? 3 : compression == biAlphaBitfields ? 4 : 0;
}

TDIBHeader ParseDIBHeader(const uint8_t* p, size_t n, const TDIBRules& rules) {
  if (n < 4) Fail(TDIBFault::Short, "header missing");
  TDIBHeader h;
  h.HeaderSize = LittleEndian32(p);
  if (!KnownDIBHeaderSize(h.HeaderSize)) Fail(TDIBFault::Unsupported, "unknown header size");
  if (h.HeaderSize > n) Fail(TDIBFault::Short, "header cut short");
  // Fields that a short OS/2 2.x header leaves out read as zero.
  uint8_t header[128] = {};
  std::memcpy(header, p, h.HeaderSize);
  static_cast<TDIBFields&>(h) = ReadDIBFields(header, h.HeaderSize);
  h.Os2v2 = IsOs2v2HeaderSize(h.HeaderSize);
  CheckSize(h, rules);
  h.TableOffset = h.HeaderSize;
  int masks = DIBTrailingMasks(h.HeaderSize, h.Compression);
  if (masks && n - h.TableOffset < 4u * masks) Fail(TDIBFault::Short, "colour masks missing");
  for (int i = 0; i < masks; ++i, h.TableOffset += 4)
    h.Masks[i] = LittleEndian32(p + h.TableOffset);
  if (h.ColorsUsed > kMaxTableEntries) Fail(TDIBFault::Damaged, "colour table too large");
  if (h.Bits >= 1 && h.Bits <= 8 && rules.DamageFails && h.ColorsUsed > 1u << h.Bits)
    Fail(TDIBFault::Damaged, "more colours than the depth holds");
  h.TableEntries = h.ColorsUsed ? h.ColorsUsed : h.Bits <= 8 ? size_t{1} << h.Bits : 0;
  h.EntrySize = rules.TableOfIndices ? 2 : static_cast<size_t>(h.PaletteEntrySize);
  return h;
}

void CheckDIBCoding(const TDIBHeader& h) {
  // OS/2 2.x codes 3 and 4 are Huffman 1D and RLE24; Windows codes 4 and 5
  // are embedded JPEG and PNG for printers.
  if (h.Os2v2 && h.Compression >= biBitfields) Fail(TDIBFault::Unsupported, "unknown compression");
  switch (h.Compression) {
    case biRGB:
      if (h.Bits != 1 && h.Bits != 2 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 &&
          h.Bits != 24 && h.Bits != 32)
        Fail(TDIBFault::Unsupported, "unsupported bits per pixel");
      return;
    case biRLE8:
    case biRLE4:
      if (h.Bits != (h.Compression == biRLE8 ? 8 : 4))
        Fail(TDIBFault::Unsupported, "run-length coding on the wrong depth");
      if (h.TopDown) Fail(TDIBFault::Unsupported, "top-down run-length bitmap");
      return;
    case biBitfields:
    case biAlphaBitfields:
      if (h.Bits != 16 && h.Bits != 32)
        Fail(TDIBFault::Unsupported, "colour masks on the wrong depth");
      return;
  }
  Fail(TDIBFault::Unsupported, "unknown compression");
}

bool TDIBBlock::Read(uint8_t* buffer, size_t count) {
  if (count > Size - Pos) return false;
  if (count) std::memcpy(buffer, Data + Pos, count);
  Pos += count;
  return true;
}

void TDIBBlock::Skip(int64_t count) {
  Pos += static_cast<size_t>(std::min<int64_t>(count, static_cast<int64_t>(Size - Pos)));
}

void DecodeDIBPixels(const TDIBHeader& h, const uint8_t* tableData, size_t tableBytes,
                     TDIBSource& source, const TDIBRules& rules, TRevedBitmap& out,
                     std::vector<uint8_t>& alpha) {
  const bool indexed = h.Bits <= 8;
  out.New(static_cast<int32_t>(h.Width), static_cast<int32_t>(h.Height),
          indexed ? pf8bit : pf24bit);
  TPalette palette;
  int colors = ReadTable(h, tableData, tableBytes, rules, palette);
  if (indexed) *out.Palette = palette;
  const bool rle = h.RunLength();
  const bool wantAlpha = (rle && rules.SkipsTransparent) || (rules.KeepAlpha && !indexed);
  alpha.assign(wantAlpha ? static_cast<size_t>(h.Width * h.Height) : 0, rle ? 0 : 255);
  if (rle)
    TRleDecoder(source, h, colors, rules, out, alpha).Run();
  else
    DecodeRows(h, colors, source, rules, out, alpha);
}

}  // namespace lumarte::imaging
