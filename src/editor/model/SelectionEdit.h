#pragma once
// Operations on the selection as a whole, free of any window: the block that
// Copy takes, the raster that Trim makes, moving the shape to a point, the
// centre and the brightness statistics of the selected pixels.
#include "editor/model/Bitmap.h"
#include "editor/model/SelectionTest.h"

namespace lumarte::editor {

extern const char* const kSelectionTooSmall;

// Columns SelLeft..SelRight-1 and rows SelTop..SelBottom-1 (the shape is not
// applied); the whole image when nothing is selected. Raises
// kSelectionTooSmall for a block of width or height 0.
TBitmap SelectionBlock(const TSelectionClass& sel, const TBitmap& image);

// (SelRight - SelLeft) × (SelBottom - SelTop) pixels from (SelLeft, SelTop),
// the box cut to the image: the image pixel where it is selected, else bg.
// Raises kSelectionTooSmall rather than making an empty image.
TBitmap TrimmedRaster(const TBitmap& image, const TSelectionTest& test, TColor bg);

enum class TMoveTarget { LeftTop, RightBottom, Centre };
// Moves the shape so that its top-left or bottom-right corner, or its
// middle, lies at p; rebuilds a polygon's mask for a width × height image.
void MoveSelectionTo(TSelectionClass& sel, TMoveTarget target, TPoint p, int width, int height);

// The circle's centre, else the middle of the bounds (truncated).
TPoint SelectionCentre(const TSelectionClass& sel, int width, int height);

struct TBrightnessStats {
  double Median = 0, Minimum = 0, Maximum = 0;
};
// Weighted brightness (B·wB + G·wG + R·wR) / (wB + wG + wR) over the selected
// pixels: the entries at count/2, 0 and count-1 of the sorted values. All
// zero when no pixel is selected.
TBrightnessStats SelectionBrightnessStats(const TBitmap& image, const TSelectionTest& test,
                                          double wB, double wG, double wR);

}  // namespace lumarte::editor
