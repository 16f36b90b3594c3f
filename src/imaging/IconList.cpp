#include "imaging/IconList.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "imaging/Endian.h"

namespace lumarte::imaging {

namespace {

// A directory byte holds the size modulo 256, so no icon image is larger.
constexpr int32_t kMaxIconSide = 256;
// Image data one list may hold: far above any real icon file, low enough that
// a directory naming one entry thousands of times cannot exhaust memory.
constexpr int64_t kMaxListBytes = int64_t{64} << 20;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr int kBitmapHeaderSize = 40;

int PixelFormatOfBits(int bits) {
  switch (bits) {
    case 1:
      return ipf1bit;
    case 4:
      return ipf4bit;
    case 8:
      return ipf8bit;
    case 24:
      return ipf24bit;
    case 32:
      return ipf32bit;
    default:
      throw EFormatError("Invalid pixel format");
  }
}

struct TDirEntry {
  int32_t Width;  // a directory byte 0 means 256
  int32_t Height;
  uint16_t Field1;  // planes, or the cursor's hot spot x
  uint16_t Field2;  // bit count, or the cursor's hot spot y
  uint32_t Offset;
};

TDirEntry ReadDirEntry(TBaseStream& s) {
  uint8_t b[4];
  s.ReadExact(b, 4);
  TDirEntry e;
  e.Width = b[0] ? b[0] : 256;
  e.Height = b[1] ? b[1] : 256;
  e.Field1 = s.ReadWordLE();
  e.Field2 = s.ReadWordLE();
  s.ReadDWordLE();  // data size: lenient readers ignore it, and so do we
  e.Offset = s.ReadDWordLE();
  return e;
}

[[noreturn]] void SizeMismatch(int index) {
  throw EFormatError("Size mismatch in icon " + std::to_string(index));
}

bool IsPngAt(const std::string& file, uint32_t offset) {
  return offset <= file.size() && file.size() - offset >= sizeof kPngSignature &&
         std::memcmp(file.data() + offset, kPngSignature, sizeof kPngSignature) == 0;
}

// A decoded PNG entry as an opaque 8- or 24-bit icon image.
std::unique_ptr<TIconImage> IconFromBitmap(const TRevedBitmap& bmp) {
  bool paletted = bmp.PixelFormat == pf8bit;
  auto image = std::make_unique<TIconImage>(bmp.Width, bmp.Height, paletted ? 8 : 24);
  for (int32_t y = 0; y < bmp.Height; ++y)
    std::memcpy(image->XorRow(y), bmp.ScanLine(y), static_cast<size_t>(bmp.BytesPerLine));
  if (paletted)
    for (int i = 0; i < 256; ++i) {
      const uint8_t* bgr = bmp.Palette->data() + 3 * i;
      uint8_t* entry = image->Palette.data() + 4 * i;
      entry[0] = bgr[2];
      entry[1] = bgr[1];
      entry[2] = bgr[0];
    }
  return image;
}

std::unique_ptr<TIconImage> ReadPngImage(const std::string& file, const TDirEntry& e, int index) {
  const size_t rest = file.size() - e.Offset;
  if (rest < 24) RaiseShortTransfer();
  // Compare the size in the PNG header before anything is decoded.
  const auto* p = reinterpret_cast<const uint8_t*>(file.data()) + e.Offset;
  if (BigEndian32(p + 16) != uint32_t(e.Width) || BigEndian32(p + 20) != uint32_t(e.Height))
    SizeMismatch(index);
  TMemoryStream png(p, rest);
  TRevedBitmap bmp;
  BitmapLoaders().FindLoader("PNG").LoadFromStream(png, "PNG", bmp);
  if (!bmp.Present || bmp.Width != e.Width || bmp.Height != e.Height) SizeMismatch(index);
  return IconFromBitmap(bmp);
}

std::unique_ptr<TIconImage> ReadDibImage(TMemoryStream& s, const TDirEntry& e, int index) {
  uint32_t headerSize = s.ReadDWordLE();
  auto width = static_cast<int32_t>(s.ReadDWordLE());
  auto height = static_cast<int32_t>(s.ReadDWordLE());
  s.ReadWordLE();  // planes
  int bits = s.ReadWordLE();
  uint32_t compression = s.ReadDWordLE();
  uint8_t unused[kBitmapHeaderSize - 20];
  s.ReadExact(unused, sizeof unused);
  if (width != e.Width || int64_t{height} != int64_t{e.Height} * 2) SizeMismatch(index);
  // Compressed data read as plain rows would be noise.
  if (compression != 0) throw ERevedBitmap("Unsupported bitmap format");
  // Later header versions (V4, V5) are longer; the palette follows the header.
  if (headerSize > kBitmapHeaderSize) s.Seek(s.Position() + (headerSize - kBitmapHeaderSize));
  auto image = std::make_unique<TIconImage>(e.Width, e.Height, bits);
  if (image->PaletteSize) {
    std::vector<uint8_t> entries(static_cast<size_t>(image->PaletteSize));
    s.ReadExact(entries.data(), entries.size());
    for (size_t i = 0; i < entries.size(); i += 4) {
      image->Palette[i] = entries[i + 2];
      image->Palette[i + 1] = entries[i + 1];
      image->Palette[i + 2] = entries[i];
    }
  }
  s.ReadExact(image->XorData.data(), static_cast<size_t>(image->XorSize));
  if (bits == 32) {
    // Alpha carries the transparency, so a mask cut short loses nothing.
    image->DetectAlpha();
    s.SetExactCount(false);
    s.Read(image->AndMask.data(), static_cast<size_t>(image->AndSize));
    s.SetExactCount(true);
  } else {
    s.ReadExact(image->AndMask.data(), static_cast<size_t>(image->AndSize));
  }
  return image;
}

void WriteDirEntry(TBaseStream& s, const TIconImage& image, uint32_t size, uint32_t offset) {
  uint8_t b[4] = {static_cast<uint8_t>(image.Width), static_cast<uint8_t>(image.Height),
                  static_cast<uint8_t>(image.BitCount < 8 ? 1 << image.BitCount : 0), 0};
  s.WriteExact(b, 4);
  s.WriteWordLE(image.HotSpotX);
  s.WriteWordLE(image.HotSpotY);
  s.WriteDWordLE(size);
  s.WriteDWordLE(offset);
}

void WriteImage(TBaseStream& s, const TIconImage& image) {
  s.WriteDWordLE(kBitmapHeaderSize);
  s.WriteDWordLE(static_cast<uint32_t>(image.Width));
  s.WriteDWordLE(static_cast<uint32_t>(image.Height * 2));
  s.WriteWordLE(1);
  s.WriteWordLE(static_cast<uint16_t>(image.BitCount));
  s.WriteDWordLE(0);
  s.WriteDWordLE(static_cast<uint32_t>(image.XorSize + image.AndSize));
  const uint8_t zeros[16] = {};
  s.WriteExact(zeros, sizeof zeros);
  for (int32_t i = 0; i < image.PaletteSize; i += 4) {
    const uint8_t entry[4] = {image.Palette[i + 2], image.Palette[i + 1], image.Palette[i], 0};
    s.WriteExact(entry, 4);
  }
  s.WriteExact(image.XorData.data(), static_cast<size_t>(image.XorSize));
  s.WriteExact(image.AndMask.data(), static_cast<size_t>(image.AndSize));
}

uint32_t ImageDataSize(const TIconImage& image) {
  return static_cast<uint32_t>(kBitmapHeaderSize + image.PaletteSize + image.XorSize +
                               image.AndSize);
}

}  // namespace

// ---- TIconImage ----

TIconImage::TIconImage(int32_t width, int32_t height, int bitCount)
    : Width(width), Height(height), PixelFormat(PixelFormatOfBits(bitCount)), BitCount(bitCount) {
  if (width < 1 || height < 1 || width > kMaxIconSide || height > kMaxIconSide)
    throw ERevedBitmap("Invalid bitmap size");
  XorLineBytes = (width * bitCount + 31) / 32 * 4;
  AndLineBytes = ((width + 7) / 8 + 3) / 4 * 4;
  XorSize = XorLineBytes * height;
  AndSize = AndLineBytes * height;
  PaletteSize = bitCount <= 8 ? 4 << bitCount : 0;
  AndMask.assign(static_cast<size_t>(AndSize), 0);
  XorData.assign(static_cast<size_t>(XorSize) + 1, 0);
  Palette.assign(static_cast<size_t>(PaletteSize), 0);
  for (int32_t i = 3; i < PaletteSize; i += 4) Palette[i] = 1;
}

bool TIconImage::IsTransparent(int32_t x, int32_t y) const {
  if (UsesAlpha) return XorRow(y)[4 * x + 3] == 0;
  return AndMask[size_t(Height - 1 - y) * AndLineBytes + x / 8] & (0x80 >> (x % 8));
}

void TIconImage::SetTransparent(int32_t x, int32_t y) {
  AndMask[size_t(Height - 1 - y) * AndLineBytes + x / 8] |= uint8_t(0x80 >> (x % 8));
}

uint32_t TIconImage::PixelColor(int32_t x, int32_t y) const {
  const uint8_t* row = XorRow(y);
  if (BitCount >= 24) {
    const uint8_t* p = row + x * (BitCount / 8);
    return p[2] | p[1] << 8 | uint32_t{p[0]} << 16;
  }
  int perByte = 8 / BitCount;
  int shift = 8 - BitCount * (x % perByte + 1);
  int index = (row[x / perByte] >> shift) & ((1 << BitCount) - 1);
  const uint8_t* entry = Palette.data() + 4 * index;
  return entry[0] | entry[1] << 8 | uint32_t{entry[2]} << 16;
}

void TIconImage::Draw(TRevedBitmap& canvas, int32_t x, int32_t y) const {
  if (BitCount != 1 && BitCount != 4 && BitCount != 8 && BitCount != 24 && BitCount != 32)
    throw EFormatError("Pixel format not supported: " + std::to_string(BitCount) + " bits");
  if (canvas.PixelFormat != pf24bit) throw ERevedBitmap("Unsupported pixel format");
  for (int32_t row = std::max(0, -y); row < Height && y + row < canvas.Height; ++row) {
    uint8_t* dst = canvas.ScanLine(y + row);
    for (int32_t col = std::max(0, -x); col < Width && x + col < canvas.Width; ++col) {
      if (IsTransparent(col, row)) continue;
      uint32_t c = PixelColor(col, row);
      uint8_t* p = dst + 3 * (x + col);
      p[0] = uint8_t(c >> 16);
      p[1] = uint8_t(c >> 8);
      p[2] = uint8_t(c);
    }
  }
}

void TIconImage::DetectAlpha() {
  UsesAlpha = false;
  if (BitCount != 32) return;
  for (int32_t i = 3; i < XorSize; i += 4)
    if (XorData[i]) {
      UsesAlpha = true;
      return;
    }
}

// ---- TIconList ----

TIconImage& TIconList::Add(int32_t width, int32_t height, int bitCount) {
  auto image = std::make_unique<TIconImage>(width, height, bitCount);
  if (Kind != ikCursor) {
    image->HotSpotX = 1;
    image->HotSpotY = static_cast<uint16_t>(bitCount);
  }
  if (Images.size() == Images.capacity()) Images.reserve(Images.size() + 10);
  Images.push_back(std::move(image));
  return *Images.back();
}

void TIconList::LoadFromStream(TBaseStream& stream) {
  // Entries point anywhere in the file, so the reader works on a copy in memory.
  TMemoryStream file;
  file.CopyFrom(stream);
  file.Seek(0);
  Clear();
  file.ReadWordLE();  // reserved
  int type = file.ReadWordLE();
  Kind = type == ikIcon || type == ikCursor ? type : ikOther;
  int count = file.ReadWordLE();
  int64_t total = 0;
  for (int i = 0; i < count; ++i) {
    file.Seek(6 + 16 * int64_t{i});
    TDirEntry e = ReadDirEntry(file);
    file.Seek(e.Offset);
    auto image =
        IsPngAt(file.Data, e.Offset) ? ReadPngImage(file.Data, e, i) : ReadDibImage(file, e, i);
    image->HotSpotX = e.Field1;
    image->HotSpotY = e.Field2;
    total += image->XorSize + image->AndSize;
    if (total > kMaxListBytes) throw ERevedBitmap("Error in bitmap data");
    if (Images.size() == Images.capacity()) Images.reserve(Images.size() + 10);
    Images.push_back(std::move(image));
  }
}

void TIconList::SaveToStream(TBaseStream& stream) {
  if (Kind != ikIcon && Kind != ikCursor) throw EFormatError("Saving of this type not supported");
  stream.WriteWordLE(0);
  stream.WriteWordLE(static_cast<uint16_t>(Kind));
  stream.WriteWordLE(static_cast<uint16_t>(Count()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(Count());
  for (const auto& image : Images) {
    WriteDirEntry(stream, *image, ImageDataSize(*image), offset);
    offset += ImageDataSize(*image);
  }
  for (const auto& image : Images) WriteImage(stream, *image);
}

// ---- selection dialog helpers ----

TRevedBitmap IconPreview(const TIconImage& image, uint32_t transparentColor) {
  TRevedBitmap panel;
  panel.New(std::min(image.Width + 2, 193), std::min(image.Height + 2, 73), pf24bit);
  panel.Clear(transparentColor);
  image.Draw(panel, 1, 1);
  return panel;
}

std::string IconDescription(int kind, const TIconImage& image) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %d x %d %d bit", kind == ikCursor ? "Cursor" : "Icon",
                image.Width, image.Height, image.BitCount);
  return text;
}

std::string ColorHexText(uint32_t color) {
  char text[8];
  std::snprintf(text, sizeof text, "$%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF,
                (color >> 16) & 0xFF);
  return text;
}

}  // namespace lumarte::imaging
