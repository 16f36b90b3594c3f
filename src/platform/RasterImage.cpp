#include "platform/RasterImage.h"

#include "editor/model/Resample.h"
#include "platform/RevedImage.h"

namespace lumarte::platform {

using lumarte::editor::TBitmap;

QImage ToQImage(const TBitmap& raster) {
  if (raster.Empty()) return {};
  return BgrRowsView(raster.ScanLine(0), raster.Width(), raster.Height(), raster.BytesPerLine())
      .convertToFormat(QImage::Format_RGB32);
}

TBitmap FromQImage(const QImage& image) {
  TBitmap raster;
  if (image.isNull()) return raster;
  QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  raster.SetSize(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* src = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
    uint8_t* dst = raster.ScanLine(y);
    for (int x = 0; x < rgb.width(); ++x) {
      dst[3 * x] = src[x] & 0xFF;
      dst[3 * x + 1] = (src[x] >> 8) & 0xFF;
      dst[3 * x + 2] = (src[x] >> 16) & 0xFF;
    }
  }
  return raster;
}

QImage StretchedImage(const TBitmap& raster, int width, int height) {
  if (raster.Empty() || width <= 0 || height <= 0) return {};
  return ToQImage(editor::ResampleNearest(raster, width, height));
}

}  // namespace lumarte::platform
