#pragma once
// The images of one icon or cursor file.
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/DynamicLists.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

// Toolkit pixel-format numbers of icon images (32 bits: colour plus alpha).
enum : int { ipf1bit = 1, ipf4bit = 2, ipf8bit = 3, ipf24bit = 6, ipf32bit = 7 };

// Kind of an icon file (its header's type field).
enum : int { ikOther = 0, ikIcon = 1, ikCursor = 2 };

class TIconImage {
 public:
  // Raises "Invalid pixel format" for bit counts other than 1, 4, 8, 24, 32.
  TIconImage(int32_t width, int32_t height, int bitCount);

  int32_t Width;
  int32_t Height;
  int PixelFormat;
  int BitCount;
  int32_t XorLineBytes;
  int32_t AndLineBytes;
  int32_t XorSize;
  int32_t AndSize;
  int32_t PaletteSize;  // bytes: 4 per entry
  // Rows bottom first, as in the file. AND bit 1 (most significant bit
  // first) marks a transparent pixel.
  std::vector<uint8_t> AndMask;  // AndSize bytes
  std::vector<uint8_t> XorData;  // XorSize + 1 bytes
  std::vector<uint8_t> Palette;  // entries of red, green, blue, flag 1
  // The directory's two 16-bit fields: planes and bit count for icons.
  uint16_t HotSpotX = 0;
  uint16_t HotSpotY = 0;
  // 32-bit images whose alpha is not all zero take transparency from alpha
  // instead of the AND mask.
  bool UsesAlpha = false;

  // Row y counted from the top.
  uint8_t* XorRow(int32_t y) { return XorData.data() + int64_t{Height - 1 - y} * XorLineBytes; }
  const uint8_t* XorRow(int32_t y) const {
    return XorData.data() + int64_t{Height - 1 - y} * XorLineBytes;
  }
  bool IsTransparent(int32_t x, int32_t y) const;
  void SetTransparent(int32_t x, int32_t y);
  // Colour value 0x00BBGGRR of a pixel.
  uint32_t PixelColor(int32_t x, int32_t y) const;
  // Paints every non-transparent pixel on a 24-bit buffer with its top-left
  // corner at (x, y); pixels outside the buffer are clipped.
  void Draw(TRevedBitmap& canvas, int32_t x, int32_t y) const;
  // Sets UsesAlpha from the stored alpha bytes of a 32-bit image.
  void DetectAlpha();
};

class TIconList : public TStreamClass {
 public:
  int Kind = ikIcon;

  int Count() const { return static_cast<int>(Images.size()); }
  TIconImage& operator[](int index) { return *Images.at(index); }
  const TIconImage& operator[](int index) const { return *Images.at(index); }
  void Clear() { Images.clear(); }
  // A new blank image; for icons the directory fields start as planes 1 and
  // the bit count.
  TIconImage& Add(int32_t width, int32_t height, int bitCount);
  void LoadFromStream(TBaseStream& stream) override;
  void SaveToStream(TBaseStream& stream) override;

 private:
  std::vector<std::unique_ptr<TIconImage>> Images;
};

// The preview of the selection dialog: min(width + 2, 193) x min(height + 2,
// 73) pixels filled with the colour, the image drawn one pixel in.
TRevedBitmap IconPreview(const TIconImage& image, uint32_t transparentColor);
// "Icon 32 x 32 8 bit" or "Cursor ...", one line of the selection list.
std::string IconDescription(int kind, const TIconImage& image);
// "$" and six lower-case hex digits in the order red, green, blue.
std::string ColorHexText(uint32_t color);

}  // namespace lumarte::imaging
