#include "imaging/ImageFacts.h"

#include <algorithm>
#include <cstring>

#include "imaging/DIBFields.h"
#include "imaging/Endian.h"
#include "imaging/FileUtils.h"
#include "imaging/GIFLoader.h"
#include "imaging/IconList.h"
#include "imaging/Streams.h"

namespace lumarte::imaging {

namespace {

void BmpFacts(const uint8_t* data, size_t size, TImageFacts& f) {
  if (size < 18) return;
  const uint32_t headerSize = LittleEndian32(data + 14);
  const size_t need = headerSize == 12 ? 12 : std::max<uint32_t>(headerSize, 40);
  if (headerSize < 12 || size - 14 < need) return;
  const TDIBFields dib = ReadDIBFields(data + 14, headerSize);
  f.Bits = dib.Bits;
  if (dib.Bits >= 1 && dib.Bits <= 8) {
    const uint32_t full = 1u << dib.Bits;
    f.PaletteSize = static_cast<int>(dib.ColorsUsed ? std::min(dib.ColorsUsed, full) : full);
  }
}

void PngFacts(const uint8_t* data, size_t size, TImageFacts& f) {
  static const uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (size < 33 || std::memcmp(data, kSignature, 8) != 0 || std::memcmp(data + 12, "IHDR", 4))
    return;
  const int depth = data[24];
  switch (data[25]) {  // colour type: samples per pixel
    case 0:
    case 3:
      f.Bits = depth;
      break;
    case 2:
      f.Bits = 3 * depth;
      break;
    case 4:
      f.Bits = 2 * depth;
      break;
    case 6:
      f.Bits = 4 * depth;
      break;
  }
  // The colour table precedes the image data.
  for (uint64_t at = 8; at + 8 <= size;) {
    const uint32_t length = BigEndian32(data + at);
    const uint8_t* type = data + at + 4;
    if (!std::memcmp(type, "PLTE", 4)) f.PaletteSize = static_cast<int>(length / 3);
    if (!std::memcmp(type, "IDAT", 4) || !std::memcmp(type, "IEND", 4)) break;
    at += uint64_t{12} + length;
  }
}

void PcxFacts(const uint8_t* data, size_t size, TImageFacts& f) {
  if (size < 128 || data[0] != 0x0A) return;
  const int bits = data[3], planes = data[65];
  f.Bits = bits * planes;
  if (planes == 1 && bits == 8)
    f.PaletteSize = 256;  // the table after the pixels
  else if (f.Bits >= 1 && f.Bits <= 4)
    f.PaletteSize = 1 << f.Bits;  // the table in the header
}

void GifFacts(const uint8_t* data, size_t size, TImageFacts& f) {
  TMemoryStream in(data, size);
  TGIFImage gif;
  gif.LoadFromStream(in);
  f.Frames = static_cast<int>(gif.Frames.size());
  const TGIFColorTable* table = gif.GlobalTable.get();
  if (!table && !gif.Frames.empty()) table = gif.Frames[0].Table.get();
  f.PaletteSize = table ? table->Count : 0;
  while (f.PaletteSize > 1 << f.Bits) ++f.Bits;
}

void IconFacts(const uint8_t* data, size_t size, TImageFacts& f) {
  TMemoryStream in(data, size);
  TIconList icons;
  icons.LoadFromStream(in);
  for (int i = 0; i < icons.Count(); ++i)
    f.Icons.push_back({icons[i].Width, icons[i].Height, icons[i].BitCount});
  if (icons.Count() == 0) return;
  f.Bits = icons[0].BitCount;
  f.PaletteSize = icons[0].PaletteSize / 4;
}

}  // namespace

TImageFacts ReadImageFacts(const std::string& ext, const uint8_t* data, size_t size) {
  const std::string up = UpperCase(ext);
  TImageFacts f;
  f.Format = up;
  if (up == "BMP") {
    BmpFacts(data, size, f);
  } else if (up == "PNG") {
    PngFacts(data, size, f);
  } else if (up == "PCX") {
    PcxFacts(data, size, f);
  } else if (up == "GIF") {
    GifFacts(data, size, f);
  } else if (up == "ICO" || up == "CUR") {
    f.Format = up == "ICO" ? "icon" : "cursor";
    IconFacts(data, size, f);
  } else if (up == "JPG" || up == "JPEG" || up == "JPE") {
    f.Format = "JPEG";
  } else if (up == "JP2" || up == "JPC") {
    f.Format = "JPEG 2000";
  }
  return f;
}

}  // namespace lumarte::imaging
