#include "editor/model/RasterConversion.h"

#include <cstring>

namespace lumarte::editor {

using imaging::pf24bit;
using imaging::pf8bit;

void AssignTo(const imaging::TRevedBitmap& buffer, TBitmap& raster) {
  if (!buffer.Present) return;
  // Every pixel is written below.
  raster = TBitmap::ForOverwrite(buffer.Width, buffer.Height);
  for (int y = 0; y < buffer.Height; ++y) {
    const uint8_t* src = buffer.ScanLine(y);
    uint8_t* dst = raster.ScanLine(y);
    if (buffer.PixelFormat == pf24bit) {
      std::memcpy(dst, src, static_cast<size_t>(buffer.BytesPerLine));
      continue;
    }
    const uint8_t* pal = buffer.Palette->data();
    for (int x = 0; x < buffer.Width; ++x) std::memcpy(dst + 3 * x, pal + 3 * src[x], 3);
  }
}

void AssignFromRaster(imaging::TRevedBitmap& buffer, const TBitmap& raster) {
  if (raster.Width() <= 0 || raster.Height() <= 0) {
    buffer.Dispose();
    return;
  }
  // Every byte is copied below.
  buffer.New(raster.Width(), raster.Height(), pf24bit, false);
  for (int y = 0; y < raster.Height(); ++y)
    std::memcpy(buffer.ScanLine(y), raster.ScanLine(y), static_cast<size_t>(buffer.BytesPerLine));
}

}  // namespace lumarte::editor
