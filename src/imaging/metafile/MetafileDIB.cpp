#include "imaging/metafile/MetafileDIB.h"

#include <algorithm>
#include <vector>

#include "imaging/DIBDecode.h"
#include "imaging/metafile/MetafileBytes.h"

namespace lumarte::imaging {

namespace {

constexpr uint32_t kOpaque = 0xFF000000;
// A run-length bitmap may not describe more pixels than this per data byte
// (real ones stay far below); keeps a tiny record from asking for a huge block.
constexpr int64_t kRleExpansion = 512;

[[noreturn]] void Bad(const char* why) {
  throw EFormatError(std::string("Invalid bitmap in metafile: ") + why);
}

// Records are drawn as GDI draws them: damage is clipped, skipped pixels
// stay transparent.
TDIBRules RecordRules(bool paletteIndices, bool keepAlpha) {
  TDIBRules rules;
  rules.DamageFails = false;
  rules.TableOfIndices = paletteIndices;
  rules.SkipsTransparent = true;
  rules.KeepAlpha = keepAlpha;
  rules.MaxPixels = kMaxMetafileBitmapPixels;
  return rules;
}

TDIBHeader ParseHeader(const uint8_t* p, size_t n, const TDIBRules& rules) {
  try {
    return ParseDIBHeader(p, n, rules);
  } catch (const EDIBError& e) {
    Bad(e.what());
  }
}

std::shared_ptr<TMetaImage> ToImage(const TRevedBitmap& raster, const std::vector<uint8_t>& alpha,
                                    bool premultiplied) {
  auto img = std::make_shared<TMetaImage>();
  img->Width = raster.Width;
  img->Height = raster.Height;
  img->Pixels.resize(static_cast<size_t>(raster.Width) * raster.Height);
  img->Premultiplied = premultiplied;
  for (size_t i = 0; i < img->Pixels.size(); ++i) {
    uint32_t a = alpha.empty() ? 255 : alpha[i];
    const uint8_t* bgr = raster.PixelFormat == pf24bit ? &raster.Map[3 * i]
                                                       : &(*raster.Palette)[3 * raster.Map[i]];
    // A pixel a run-length bitmap leaves out is no colour at all.
    if (a == 0 && raster.PixelFormat == pf8bit) continue;
    img->Pixels[i] = a << 24 | uint32_t{bgr[2]} << 16 | uint32_t{bgr[1]} << 8 | bgr[0];
  }
  return img;
}

std::shared_ptr<TMetaImage> Decode(const uint8_t* info, size_t infoSize, const uint8_t* bits,
                                   size_t bitsSize, bool paletteIndices, bool keepAlpha,
                                   uint32_t scans = 0) {
  const TDIBRules rules = RecordRules(paletteIndices, keepAlpha);
  TDIBHeader h = ParseHeader(info, infoSize, rules);
  if (scans > 0 && scans < h.Height) h.Height = scans;
  if (h.Compression == biJPEG || h.Compression == biPNG) return nullptr;
  if (h.RunLength() &&
      h.Width * h.Height > std::max<int64_t>(1 << 16, kRleExpansion * static_cast<int64_t>(bitsSize)))
    Bad("run-length bitmap larger than its data can describe");
  TRevedBitmap raster;
  std::vector<uint8_t> alpha;
  try {
    CheckDIBCoding(h);
    TDIBBlock pixels(bits, bitsSize);
    DecodeDIBPixels(h, info + h.TableOffset, infoSize - h.TableOffset, pixels, rules, raster,
                    alpha);
  } catch (const EDIBError& e) {
    Bad(e.what());
  }
  return ToImage(raster, alpha, keepAlpha);
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
  return infoSize >= 12 && LittleEndian32(info) >= 40 && LittleEndianSigned32(info + 8) < 0;
}

size_t DIBHeaderAndTableSize(const uint8_t* data, size_t size, bool paletteIndices) {
  const TDIBHeader h = ParseHeader(data, size, RecordRules(paletteIndices, false));
  const size_t total = h.TableOffset + h.TableEntries * h.EntrySize;
  // A shorter colour table than the header implies shows in a block too
  // small for table and rows: the rows take the end of the block.
  int64_t rows = h.RunLength() ? h.SizeImage : h.Stride() * h.Height;
  int64_t spare = static_cast<int64_t>(size) - static_cast<int64_t>(h.TableOffset) - rows;
  if (rows > 0 && total + rows > size && spare >= 0)
    return h.TableOffset + static_cast<size_t>(spare) / h.EntrySize * h.EntrySize;
  return total;
}

std::shared_ptr<TMetaImage> DecodePackedDIB(const uint8_t* data, size_t size, bool paletteIndices) {
  size_t offset = DIBHeaderAndTableSize(data, size, paletteIndices);
  if (offset > size) Bad("colour table cut short");
  return DecodeDIB(data, size, data + offset, size - offset, paletteIndices);
}

std::shared_ptr<TMetaImage> DecodeBitmap16(const uint8_t* data, size_t size) {
  if (size < 10) Bad("header missing");
  int width = LittleEndianSigned16(data + 2), height = LittleEndianSigned16(data + 4);
  int64_t widthBytes = LittleEndianSigned16(data + 6);
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
          uint32_t w = LittleEndian16(src + 2 * x);
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
