#include "imaging/ICOLoader.h"

#include <array>

#include "imaging/FileUtils.h"

namespace lumarte::imaging {

namespace {

uint32_t ColorOf(const uint8_t* bgr) {
  return bgr[2] | bgr[1] << 8 | uint32_t{bgr[0]} << 16;
}

void FillFrom24Bit(TIconImage& image, const TRevedBitmap& bmp, uint32_t transparent) {
  for (int32_t y = 0; y < bmp.Height; ++y) {
    const uint8_t* src = bmp.ScanLine(y);
    uint8_t* dst = image.XorRow(y);
    for (int32_t x = 0; x < bmp.Width; ++x, src += 3, dst += 3) {
      if (ColorOf(src) == transparent) {
        image.SetTransparent(x, y);
        continue;  // stays black
      }
      dst[0] = src[0];
      dst[1] = src[1];
      dst[2] = src[2];
    }
  }
}

// The highest palette index in use whose colour is not the transparent one
// (at least 1): below 16 the image fits a 4-bit icon.
int HighestOpaqueIndex(const TRevedBitmap& bmp, const std::array<bool, 256>& clear) {
  std::array<bool, 256> used{};
  for (int32_t i = 0; i < bmp.Size; ++i) used[bmp.Map[i]] = true;
  for (int i = 255; i > 1; --i)
    if (used[i] && !clear[i]) return i;
  return 1;
}

void FillFrom8Bit(TIconImage& image, const TRevedBitmap& bmp, const std::array<bool, 256>& clear) {
  const int entries = image.PaletteSize / 4;
  for (int i = 0; i < entries; ++i) {
    const uint8_t* bgr = bmp.Palette->data() + 3 * i;
    image.Palette[4 * i] = bgr[2];
    image.Palette[4 * i + 1] = bgr[1];
    image.Palette[4 * i + 2] = bgr[0];
  }
  for (int32_t y = 0; y < bmp.Height; ++y) {
    const uint8_t* src = bmp.ScanLine(y);
    uint8_t* dst = image.XorRow(y);
    for (int32_t x = 0; x < bmp.Width; ++x) {
      uint8_t index = src[x];
      // Transparent pixels take index 0 in both depths: a 4-bit nibble could
      // not hold an index of 16 or more.
      if (clear[index]) {
        image.SetTransparent(x, y);
        index = 0;
      }
      if (image.BitCount == 8)
        dst[x] = index;
      else
        dst[x / 2] |= x % 2 ? index : uint8_t(index << 4);
    }
  }
}

}  // namespace

TIconList IconListFromBitmap(const TRevedBitmap& bitmap, bool cursor, uint32_t transparentColor) {
  if (!bitmap.Present) throw ERevedBitmap("Invalid bitmap size");
  if (bitmap.Width > 255 || bitmap.Height > 255) throw ERevedBitmap("Image is too large for icon");
  transparentColor &= 0xFFFFFF;
  TIconList list;
  list.Kind = cursor ? ikCursor : ikIcon;
  if (bitmap.PixelFormat == pf24bit) {
    FillFrom24Bit(list.Add(bitmap.Width, bitmap.Height, 24), bitmap, transparentColor);
  } else if (bitmap.PixelFormat == pf8bit) {
    std::array<bool, 256> clear{};
    for (int i = 0; i < 256; ++i)
      clear[i] = ColorOf(bitmap.Palette->data() + 3 * i) == transparentColor;
    int bits = HighestOpaqueIndex(bitmap, clear) < 16 ? 4 : 8;
    FillFrom8Bit(list.Add(bitmap.Width, bitmap.Height, bits), bitmap, clear);
  } else {
    throw ERevedBitmap("Unsupported pixel format");
  }
  return list;
}

void TICOLoader::LoadFromStream(TBaseStream& stream, const std::string&, TRevedBitmap& bitmap) {
  TIconList list;
  list.LoadFromStream(stream);
  if (list.Count() == 0) throw ERevedBitmap("No icons in file");
  int index = 0;
  if (!LoadFirst && Chooser) {
    uint32_t color = TransparentColor;
    if (!Chooser->ChooseIcon(list, index, color)) throw EAbort("Operation aborted");
    if (index < 0 || index >= list.Count()) throw EAbort("Operation aborted");
    TransparentColor = color;
  }
  const TIconImage& image = list[index];
  if (list.Kind == ikCursor) {
    HotSpotX = image.HotSpotX;
    HotSpotY = image.HotSpotY;
  }
  bitmap.New(image.Width, image.Height, pf24bit);
  bitmap.Clear(TransparentColor);
  image.Draw(bitmap, 0, 0);
}

void TICOLoader::SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) {
  TIconList list = IconListFromBitmap(bitmap, UpperCase(ext) == "CUR", TransparentColor);
  if (list.Kind == ikCursor) {
    list[0].HotSpotX = HotSpotX;
    list[0].HotSpotY = HotSpotY;
  }
  list.SaveToStream(stream);
}

TICOLoader& IconLoader() {
  static TICOLoader loader;
  return loader;
}

}  // namespace lumarte::imaging
