#pragma once
// Windows and OS/2 device-independent bitmaps: our own reader (every standard
// header, depth and compression) and a writer of uncompressed 1/4/8/24-bit files.
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

class TBMPLoader : public TBitmapLoader {
 public:
  bool CanLoad(const std::string& ext) override { return ExtIn(ext, {"BMP"}); }
  bool CanSave(const std::string& ext) override { return ExtIn(ext, {"BMP"}); }
  std::string GetLoadFilter() override { return "Windows bitmap (*.bmp)|*.bmp"; }
  // 1- and 4-bit files load as pf8bit with their palette, 8- and 24-bit
  // ones as they are, every other depth as pf24bit.
  void LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
  // Writes the buffer's own depth: 8 bits with a 256-entry table, or 24 bits.
  void SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
};

// Reads a bitmap file's data (no extension check).
void ReadBMP(TBaseStream& stream, TRevedBitmap& bitmap);

// Writes an uncompressed bitmap of 1, 4, 8 or 24 bits per pixel. Fewer bits
// than the image holds reduce a copy of it first (exact when its colours fit,
// otherwise a median-cut palette, Floyd–Steinberg dithered when asked).
void WriteBMP(TBaseStream& stream, const TRevedBitmap& bitmap, int bitsPerPixel,
              bool dither = false);

}  // namespace lumarte::imaging
