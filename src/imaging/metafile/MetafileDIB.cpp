#include "imaging/metafile/MetafileDIB.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "imaging/Errors.h"
#include "imaging/metafile/MetafileBytes.h"

namespace lumarte::imaging {

namespace {

enum : uint32_t {
  BI_RGB = 0,
  BI_RLE8 = 1,
  BI_RLE4 = 2,
  BI_BITFIELDS = 3,
  BI_JPEG = 4,
  BI_PNG = 5,
  BI_ALPHABITFIELDS = 6
};
constexpr uint32_t kOpaque = 0xFF000000;
// A run-length bitmap may not describe more pixels than this per data byte
// (real ones stay far below); keeps a tiny record from asking for a huge block.
constexpr int64_t kRleExpansion = 512;

[[noreturn]] void Bad(const char* why) {
  throw EFormatError(std::string("Invalid bitmap in metafile: ") + why);
}

struct TDIBHeader {
  int64_t Width = 0, Height = 0;
  bool TopDown = false;
  int Bpp = 0;
  uint32_t Compression = BI_RGB;
  uint32_t Masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  size_t TableOffset = 0;            // colour table, from the header's start
  size_t TableEntries = 0;
  size_t EntrySize = 4;
  size_t TotalSize = 0;  // header, masks and table
  uint32_t SizeImage = 0;
};

int64_t Stride(const TDIBHeader& h) {
  return (h.Width * h.Bpp + 31) / 32 * 4;
}

TDIBHeader ParseHeader(const uint8_t* p, size_t n, bool paletteIndices) {
  TDIBHeader h;
  if (n < 4) Bad("header missing");
  uint32_t headerSize = GetU32(p);
  if (headerSize > n) Bad("header cut short");
  if (headerSize == 12) {
    h.Width = GetU16(p + 4);
    h.Height = GetU16(p + 6);
    h.Bpp = GetU16(p + 10);
    h.EntrySize = 3;
  } else if (headerSize >= 40) {
    h.Width = GetS32(p + 4);
    int32_t height = GetS32(p + 8);
    h.TopDown = height < 0;
    h.Height = h.TopDown ? -static_cast<int64_t>(height) : height;
    h.Bpp = GetU16(p + 14);
    h.Compression = GetU32(p + 16);
    h.SizeImage = GetU32(p + 20);
    uint32_t used = GetU32(p + 32);
    if (used > 65536) Bad("colour table too large");
    h.TableEntries = used;
    if (headerSize >= 52)
      for (int i = 0; i < (headerSize >= 56 ? 4 : 3); ++i) h.Masks[i] = GetU32(p + 40 + 4 * i);
  } else {
    Bad("unknown header size");
  }
  if (h.Width <= 0 || h.Height <= 0) Bad("empty or negative size");
  if (h.Width * h.Height > kMaxMetafileBitmapPixels) Bad("too large");
  if (h.TableEntries == 0 && h.Bpp <= 8) h.TableEntries = size_t{1} << h.Bpp;
  if (paletteIndices) h.EntrySize = 2;
  h.TableOffset = headerSize;
  if (headerSize == 40 && (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS)) {
    size_t count = h.Compression == BI_BITFIELDS ? 3 : 4;
    if (!Fits(n, 40, 4 * count)) Bad("colour masks missing");
    for (size_t i = 0; i < count; ++i) h.Masks[i] = GetU32(p + 40 + 4 * i);
    h.TableOffset += 4 * count;
  }
  h.TotalSize = h.TableOffset + h.TableEntries * h.EntrySize;
  return h;
}

void CheckDepth(const TDIBHeader& h) {
  switch (h.Compression) {
    case BI_RGB:
      if (h.Bpp != 1 && h.Bpp != 4 && h.Bpp != 8 && h.Bpp != 16 && h.Bpp != 24 && h.Bpp != 32)
        Bad("unsupported bits per pixel");
      break;
    case BI_RLE8:
    case BI_RLE4:
      if (h.Bpp != (h.Compression == BI_RLE8 ? 8 : 4)) Bad("run-length coding on the wrong depth");
      if (h.TopDown) Bad("top-down run-length bitmap");
      break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
      if (h.Bpp != 16 && h.Bpp != 32) Bad("colour masks on the wrong depth");
      break;
    default:
      Bad("unknown compression");
  }
}

std::vector<uint32_t> ColourTable(const TDIBHeader& h, const uint8_t* info, size_t infoSize,
                                  bool paletteIndices) {
  std::vector<uint32_t> table(256, kOpaque);
  if (h.Bpp > 8) return table;
  if (h.TableOffset > infoSize) Bad("colour masks missing");
  // Writers often store fewer entries than the header implies; the rest stay black.
  size_t room = (infoSize - h.TableOffset) / h.EntrySize;
  size_t count = std::min<size_t>({h.TableEntries, room, 256});
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = info + h.TableOffset + i * h.EntrySize;
    if (paletteIndices) {
      uint32_t g = GetU16(e) & 0xFF;
      table[i] = kOpaque | g << 16 | g << 8 | g;
    } else {
      table[i] = kOpaque | e[2] << 16 | e[1] << 8 | e[0];
    }
  }
  return table;
}

// One channel through its mask, widened or narrowed to eight bits.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0, Bits = 0;
  explicit TChannel(uint32_t mask) : Mask(mask) {
    if (!mask) return;
    Shift = std::countr_zero(mask);
    Bits = std::min(std::popcount(mask >> Shift), 32 - Shift);
  }
  uint32_t Get(uint32_t v, uint32_t absent) const {
    if (!Mask) return absent;
    uint32_t c = (v & Mask) >> Shift;
    if (Bits >= 8) return c >> (Bits - 8);
    uint32_t max = (1u << Bits) - 1;
    return max ? c * 255 / max : 0;
  }
};

void DecodeRows(const TDIBHeader& h, const std::vector<uint32_t>& table, const uint8_t* bits,
                size_t bitsSize, bool keepAlpha, TMetaImage& img) {
  int64_t stride = Stride(h);
  if (stride * h.Height > static_cast<int64_t>(bitsSize)) Bad("pixel data missing");
  uint32_t defaults[3][4] = {
      {0x7C00, 0x03E0, 0x001F, 0}, {0xFF0000, 0xFF00, 0xFF, 0}, {0xFF0000, 0xFF00, 0xFF, 0}};
  const uint32_t* masks = h.Compression == BI_RGB ? defaults[h.Bpp == 16 ? 0 : 1] : h.Masks;
  TChannel r(masks[0]), g(masks[1]), b(masks[2]), a(masks[3]);
  bool alphaByte = keepAlpha && h.Bpp == 32 && h.Compression == BI_RGB;
  for (int64_t row = 0; row < h.Height; ++row) {
    const uint8_t* src = bits + row * stride;
    uint32_t* dst = img.Pixels.data() + (h.TopDown ? row : h.Height - 1 - row) * h.Width;
    for (int64_t x = 0; x < h.Width; ++x) {
      uint32_t v;
      switch (h.Bpp) {
        case 1:
          dst[x] = table[(src[x >> 3] >> (7 - (x & 7))) & 1];
          continue;
        case 4:
          dst[x] = table[(src[x >> 1] >> (x & 1 ? 0 : 4)) & 15];
          continue;
        case 8:
          dst[x] = table[src[x]];
          continue;
        case 24:
          dst[x] = kOpaque | src[3 * x + 2] << 16 | src[3 * x + 1] << 8 | src[3 * x];
          continue;
        case 16:
          v = GetU16(src + 2 * x);
          break;
        default:
          v = GetU32(src + 4 * x);
          break;
      }
      uint32_t alpha = alphaByte ? v >> 24 : keepAlpha ? a.Get(v, 255) : 255;
      dst[x] = alpha << 24 | r.Get(v, 0) << 16 | g.Get(v, 0) << 8 | b.Get(v, 0);
    }
  }
}

// Run-length rows start at the bottom; skipped pixels stay transparent.
void DecodeRle(const TDIBHeader& h, const std::vector<uint32_t>& table, const uint8_t* bits,
               size_t n, TMetaImage& img) {
  bool four = h.Compression == BI_RLE4;
  int64_t x = 0, y = 0;
  auto put = [&](int64_t px, uint8_t index) {
    if (px < h.Width) img.Pixels[(h.Height - 1 - y) * h.Width + px] = table[index];
  };
  size_t pos = 0;
  while (pos + 2 <= n && y < h.Height) {
    uint8_t count = bits[pos], value = bits[pos + 1];
    pos += 2;
    if (count) {  // encoded run
      for (int64_t i = 0; i < count && x + i < h.Width; ++i)
        put(x + i, four ? (i & 1 ? value & 15 : value >> 4) : value);
      x += count;
    } else if (value == 0) {  // end of line
      x = 0, ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (pos + 2 > n) break;
      x += bits[pos], y += bits[pos + 1];
      pos += 2;
    } else {  // literal run, padded to a 16-bit boundary
      size_t bytes = four ? (value + 1) / 2 : value;
      if (pos + bytes > n) break;
      for (int64_t i = 0; i < value && x + i < h.Width; ++i) {
        uint8_t byte = bits[pos + (four ? i / 2 : i)];
        put(x + i, four ? (i & 1 ? byte & 15 : byte >> 4) : byte);
      }
      x += value;
      pos += (bytes + 1) & ~size_t{1};
    }
  }
}

std::shared_ptr<TMetaImage> Decode(const uint8_t* info, size_t infoSize, const uint8_t* bits,
                                   size_t bitsSize, bool paletteIndices, bool keepAlpha,
                                   uint32_t scans = 0) {
  TDIBHeader h = ParseHeader(info, infoSize, paletteIndices);
  if (scans > 0 && scans < h.Height) h.Height = scans;
  if (h.Compression == BI_JPEG || h.Compression == BI_PNG) return nullptr;
  CheckDepth(h);
  std::vector<uint32_t> table = ColourTable(h, info, infoSize, paletteIndices);
  bool rle = h.Compression == BI_RLE8 || h.Compression == BI_RLE4;
  int64_t pixels = h.Width * h.Height;
  if (rle && pixels > std::max<int64_t>(1 << 16, kRleExpansion * static_cast<int64_t>(bitsSize)))
    Bad("run-length bitmap larger than its data can describe");
  auto img = std::make_shared<TMetaImage>();
  img->Width = static_cast<int>(h.Width);
  img->Height = static_cast<int>(h.Height);
  img->Pixels.assign(static_cast<size_t>(pixels), rle ? 0 : kOpaque);
  if (rle)
    DecodeRle(h, table, bits, bitsSize, *img);
  else
    DecodeRows(h, table, bits, bitsSize, keepAlpha, *img);
  img->Premultiplied = keepAlpha;
  return img;
}

}  // namespace

std::shared_ptr<TMetaImage> DecodeDIB(const uint8_t* info, size_t infoSize, const uint8_t* bits,
                                      size_t bitsSize, bool paletteIndices) {
  return Decode(info, infoSize, bits, bitsSize, paletteIndices, false);
}

std::shared_ptr<TMetaImage> DecodeAlphaDIB(const uint8_t* info, size_t infoSize,
                                           const uint8_t* bits, size_t bitsSize) {
  return Decode(info, infoSize, bits, bitsSize, false, true);
}

std::shared_ptr<TMetaImage> DecodeDIBScans(const uint8_t* info, size_t infoSize,
                                           const uint8_t* bits, size_t bitsSize,
                                           bool paletteIndices, uint32_t scans) {
  if (scans == 0) Bad("no scan lines");
  return Decode(info, infoSize, bits, bitsSize, paletteIndices, false, scans);
}

bool IsTopDownDIB(const uint8_t* info, size_t infoSize) {
  return infoSize >= 12 && GetU32(info) >= 40 && infoSize >= 12 && GetS32(info + 8) < 0;
}

size_t DIBHeaderAndTableSize(const uint8_t* data, size_t size, bool paletteIndices) {
  TDIBHeader h = ParseHeader(data, size, paletteIndices);
  // A shorter colour table than the header implies shows in a block too
  // small for table and rows: the rows take the end of the block.
  bool rle = h.Compression == BI_RLE8 || h.Compression == BI_RLE4;
  int64_t rows = rle ? h.SizeImage : Stride(h) * h.Height;
  int64_t spare = static_cast<int64_t>(size) - static_cast<int64_t>(h.TableOffset) - rows;
  if (rows > 0 && h.TotalSize + rows > size && spare >= 0)
    return h.TableOffset + static_cast<size_t>(spare) / h.EntrySize * h.EntrySize;
  return h.TotalSize;
}

std::shared_ptr<TMetaImage> DecodePackedDIB(const uint8_t* data, size_t size, bool paletteIndices) {
  size_t offset = DIBHeaderAndTableSize(data, size, paletteIndices);
  if (offset > size) Bad("colour table cut short");
  return DecodeDIB(data, size, data + offset, size - offset, paletteIndices);
}

std::shared_ptr<TMetaImage> DecodeBitmap16(const uint8_t* data, size_t size) {
  if (size < 10) Bad("header missing");
  int width = GetS16(data + 2), height = GetS16(data + 4);
  int64_t widthBytes = GetS16(data + 6);
  int planes = data[8], bpp = data[9];
  if (width <= 0 || height <= 0) Bad("empty or negative size");
  if (planes != 1 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32))
    Bad("unsupported bits per pixel");
  int64_t minimum = (int64_t{width} * bpp + 7) / 8, available = static_cast<int64_t>(size - 10);
  // Some writers state a padded row width but store unpadded rows: go by the data.
  if (widthBytes * height > available) widthBytes = available / height;
  if (widthBytes < minimum) Bad("pixel data missing");
  auto img = std::make_shared<TMetaImage>();
  img->Width = width;
  img->Height = height;
  img->Pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const uint8_t* src = data + 10 + y * widthBytes;
    for (int x = 0; x < width; ++x) {
      uint32_t v;
      switch (bpp) {
        case 1:
          v = (src[x >> 3] >> (7 - (x & 7))) & 1 ? 0xFFFFFF : 0;
          break;
        case 4:
          v = ((src[x >> 1] >> (x & 1 ? 0 : 4)) & 15) * 0x111111;
          break;
        case 8:
          v = src[x] * 0x010101u;
          break;
        case 16: {
          uint32_t w = GetU16(src + 2 * x);
          v = (w >> 10 & 31) * 255 / 31 << 16 | (w >> 5 & 31) * 255 / 31 << 8 | (w & 31) * 255 / 31;
          break;
        }
        default: {
          const uint8_t* q = src + x * (bpp / 8);
          v = q[2] << 16 | q[1] << 8 | q[0];
        }
      }
      img->Pixels[static_cast<size_t>(y) * width + x] = kOpaque | v;
    }
  }
  return img;
}

}  // namespace lumarte::imaging
