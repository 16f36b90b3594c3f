#include "platform/RasterImage.h"

#include <vector>

namespace lumarte::platform {

using lumarte::editor::TBitmap;

namespace {

inline uint32_t Rgb32(const uint8_t* bgr) {
  return 0xFF000000u | (uint32_t{bgr[2]} << 16) | (uint32_t{bgr[1]} << 8) | bgr[0];
}

}  // namespace

QImage ToQImage(const TBitmap& raster) {
  if (raster.Empty()) return {};
  QImage image(raster.Width(), raster.Height(), QImage::Format_RGB32);
  for (int y = 0; y < raster.Height(); ++y) {
    const uint8_t* src = raster.ScanLine(y);
    auto* dst = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (int x = 0; x < raster.Width(); ++x) dst[x] = Rgb32(src + 3 * x);
  }
  return image;
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
  QImage image(width, height, QImage::Format_RGB32);
  std::vector<int> column(static_cast<size_t>(width));
  for (int u = 0; u < width; ++u)
    column[u] = static_cast<int>(int64_t{u} * raster.Width() / width) * 3;
  for (int v = 0; v < height; ++v) {
    const uint8_t* src = raster.ScanLine(static_cast<int>(int64_t{v} * raster.Height() / height));
    auto* dst = reinterpret_cast<uint32_t*>(image.scanLine(v));
    for (int u = 0; u < width; ++u) dst[u] = Rgb32(src + column[u]);
  }
  return image;
}

}  // namespace lumarte::platform
