#include "editor/model/ZoomView.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumarte::editor {

namespace {

// Halves to even: the program's rounding rule.
int64_t RoundEven(double v) {
  return static_cast<int64_t>(std::nearbyint(v));
}

int ImageIndex(int64_t displayPos, double z, int limit) {
  int64_t i = RoundEven(static_cast<double>(displayPos) / z);
  // round((u + s) / z) reaches the image's size at the far edge of an
  // enlarged view; that column shows the last image column.
  return static_cast<int>(std::clamp<int64_t>(i, 0, limit - 1));
}

}  // namespace

double EffectiveZoom(double zoom) {
  return zoom == 0 ? 1.0 : zoom;
}

int ZoomedLength(int length, double zoom) {
  return static_cast<int>(RoundEven(length * EffectiveZoom(zoom)));
}

void RenderZoomed(const TBitmap& image, double zoom, int sx, int sy, int width, int height,
                  uint32_t* out, int outStride, uint32_t background) {
  double z = EffectiveZoom(zoom);
  int zw = ZoomedLength(image.Width(), z);
  int zh = ZoomedLength(image.Height(), z);
  int cols = image.Empty() ? 0 : std::clamp(zw - sx, 0, width);
  int rows = image.Empty() ? 0 : std::clamp(zh - sy, 0, height);
  std::vector<int> column(static_cast<size_t>(cols));
  for (int u = 0; u < cols; ++u) column[u] = 3 * ImageIndex(int64_t{u} + sx, z, image.Width());
  int lastRow = -1;
  for (int v = 0; v < height; ++v) {
    uint32_t* line = out + static_cast<size_t>(v) * outStride;
    if (v >= rows) {
      std::fill(line, line + width, background);
      continue;
    }
    int y = ImageIndex(int64_t{v} + sy, z, image.Height());
    if (y == lastRow) {
      // Enlarged views repeat rows: copy the one just made.
      std::copy(line - outStride, line - outStride + width, line);
      continue;
    }
    lastRow = y;
    const uint8_t* src = image.ScanLine(y);
    for (int u = 0; u < cols; ++u) {
      const uint8_t* p = src + column[u];
      line[u] = 0xFF000000u | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    }
    std::fill(line + cols, line + width, background);
  }
}

int RescaledScrollPosition(int position, double oldZoom, double newZoom) {
  double o = EffectiveZoom(oldZoom);
  return static_cast<int>(RoundEven(position * EffectiveZoom(newZoom) / o));
}

TClientSize FitViewToImage(int imageWidth, int imageHeight, double zoom, const TFitLimits& limits) {
  int64_t w = int64_t{ZoomedLength(imageWidth, zoom)} * 40 / 39 + limits.ScrollBarWidth + 15;
  int64_t h = int64_t{ZoomedLength(imageHeight, zoom)} * 40 / 39 + limits.ScrollBarHeight;
  w = std::max<int64_t>(w, limits.MinClientWidth);
  w = std::min<int64_t>(w, limits.MaxClientWidth);
  h = std::min<int64_t>(h, limits.MaxClientHeight);
  h = std::max<int64_t>(h, 150);
  return {static_cast<int>(w), static_cast<int>(h)};
}

TClientSize FitIntoBox(int64_t w, int64_t h, int bw, int bh) {
  int64_t rw = w, rh = h;
  if (bw < rw && rw > 0) {
    rh = RoundEven(static_cast<double>(rh) * bw / rw);
    rw = bw;
  }
  if (rh > bh && rh > 0) {
    rw = RoundEven(static_cast<double>(rw) * bh / rh);
    rh = bh;
  }
  return {static_cast<int>(rw), static_cast<int>(rh)};
}

}  // namespace lumarte::editor
