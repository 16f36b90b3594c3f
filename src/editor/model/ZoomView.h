#pragma once
// The document view's arithmetic: nearest-neighbour zoom, the scrolled
// extent, and the window size that shows an image whole.
#include <cstdint>
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::editor {

// A zoom factor of 0 draws as 1.0.
double EffectiveZoom(double zoom);
// round(length * z), halves to even.
int ZoomedLength(int length, double zoom);

// Fills a width x height block of 0xAARRGGBB pixels (alpha 255): display
// pixel (u, v) shows image pixel (round((u + sx) / z), round((v + sy) / z)),
// kept inside the image. Display pixels beyond the zoomed image are filled
// with background.
void RenderZoomed(const TBitmap& image, double zoom, int sx, int sy, int width, int height,
                  uint32_t* out, int outStride, uint32_t background);

// Scroll position kept at the same image point when the zoom changes.
int RescaledScrollPosition(int position, double oldZoom, double newZoom);

struct TFitLimits {
  int ScrollBarWidth = 0;   // vertical bar
  int ScrollBarHeight = 0;  // horizontal bar
  int MinClientWidth = 0;   // menu captions, status panels
  int MaxClientWidth = 0;   // up to 10 pixels before the screen's right edge
  int MaxClientHeight = 0;  // up to 10 pixels before the screen's bottom edge
};

struct TClientSize {
  int Width = 0;
  int Height = 0;
};

// The view area that shows the zoomed image whole, with a small margin.
TClientSize FitViewToImage(int imageWidth, int imageHeight, double zoom, const TFitLimits& limits);

// Shrinks w x h, keeping the aspect ratio (halves to even), until it fits a
// bw x bh box; an image that fits already keeps its size. The sides are
// 64-bit since printing fits sizes scaled by 100000 (a wide page's pixels
// would overflow an int).
TClientSize FitIntoBox(int64_t w, int64_t h, int bw, int bh);

}  // namespace lumarte::editor
