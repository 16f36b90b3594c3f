#include "editor/model/PrintLayout.h"

#include <cstdint>

#include "editor/model/ZoomView.h"
#include "base/Rounding.h"

namespace lumarte::editor {

namespace {

// Truncation toward zero of a page coordinate.
int Trunc(float v) {
  return static_cast<int>(v);
}

float Offset(float free, bool middle, bool far) {
  if (middle) return free * 0.5f;
  return far ? free : 0.0f;
}

}  // namespace

TPrintRect PrintRectangle(int pageWidth, int pageHeight, int imageWidth, int imageHeight,
                          const TPrintOptions& options) {
  if (imageWidth <= 0 || imageHeight <= 0) return {};
  const float maxW = static_cast<float>(int64_t{pageWidth} * options.TargetWidth) / 100.0f;
  const float maxH = static_cast<float>(int64_t{pageHeight} * options.TargetHeight) / 100.0f;
  float w = static_cast<float>(imageWidth);
  float h = static_cast<float>(imageHeight);
  const float ratio = w / h;
  if (w < maxW && h < maxH) {
    // Scaled up by 100000 the image is larger than the box, so the fit
    // shrinks it until it touches the box.
    TClientSize fit = FitIntoBox(Round(w * 100000.0f), Round(h * 100000.0f),
                                 static_cast<int>(Round(maxW)),
                                 static_cast<int>(Round(maxH)));
    w = static_cast<float>(fit.Width);
    h = static_cast<float>(fit.Height);
  }
  if (w > maxW) {
    w = maxW;
    h = w / ratio;
  }
  if (h > maxH) {
    h = maxH;
    w = h * ratio;
  }
  const float y = Offset(static_cast<float>(pageHeight) - h,
                         options.Vertical == TVerticalAlign::Middle,
                         options.Vertical == TVerticalAlign::Bottom);
  const float x = Offset(static_cast<float>(pageWidth) - w,
                         options.Horizontal == THorizontalAlign::Center,
                         options.Horizontal == THorizontalAlign::Right);
  return {Trunc(x), Trunc(y), Trunc(w + x), Trunc(h + y)};
}

}  // namespace lumarte::editor
