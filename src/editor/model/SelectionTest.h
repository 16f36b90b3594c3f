#pragma once
// The per-pixel selection test that every pixel operation and effect runs.
// It is built once from the selection, the image and the select-by-colour
// values; testing a pixel then costs a few comparisons and no allocation.
#include <array>
#include <cstdint>

#include "editor/model/Bitmap.h"
#include "editor/model/Selection.h"

namespace lumarte::editor {

// The reference colour and width of the select-by-colour dialog.
struct TSelectByColor {
  int Red = 0, Green = 0, Blue = 0, Width = 1;
  bool operator==(const TSelectByColor&) const = default;
};

class TSelectionTest {
 public:
  // Builds the polygon mask when it is stale. The test keeps pointers into
  // the image and the mask: it is valid while neither changes.
  TSelectionTest(TSelectionClass& sel, const TBitmap& image, const TSelectByColor& byColor);

  bool InSelection(int x, int y) const {
    if (x < Clip.Left || x > Clip.Right || y < Clip.Top || y > Clip.Bottom) return false;
    if (Shape == TShape::Disc) {
      int64_t dx = int64_t{x} - Cx, dy = int64_t{y} - Cy;
      if (static_cast<uint64_t>(dx * dx) + static_cast<uint64_t>(dy * dy) > RadiusSquared)
        return false;
    } else if (Shape == TShape::Mask && !MaskRows[y][x]) {
      return false;
    }
    return !ByColor || ColourPasses(x, y);
  }
  bool operator()(int x, int y) const { return InSelection(x, y); }

  // Calls f(first, last) for every run of selected pixels of row y, left to
  // right: exactly the pixels InSelection passes. Boxes, circles and polygon
  // masks give their runs without a test per pixel; only a colour gate looks
  // at each pixel of them.
  template <class F>
  void ForEachRun(int y, F&& f) const {
    if (y < Clip.Top || y > Clip.Bottom) return;
    int lo = Clip.Left, hi = Clip.Right;
    if (lo > hi || (Shape == TShape::Disc && !DiscRow(y, lo, hi))) return;
    if (Shape != TShape::Mask) return GatedRun(y, lo, hi, f);
    const uint8_t* mask = MaskRows[y];
    for (int x = lo; x <= hi;) {
      while (x <= hi && !mask[x]) ++x;
      const int first = x;
      while (x <= hi && mask[x]) ++x;
      if (first < x) GatedRun(y, first, x - 1, f);
    }
  }

  // SelLeft, SelTop, SelRight, SelBottom.
  const TRect& Bounds() const { return SelBounds; }
  // The pixels that can pass at all: the bounds cut to the image.
  const TRect& Candidates() const { return Clip; }
  // Every pixel of the image passes (nothing selected, no colour gate).
  bool SelectsAll() const { return All; }
  // A circle selection's centre, which may lie off the bounds cut to the image.
  bool CircleCentre(int64_t& x, int64_t& y) const {
    if (Shape != TShape::Disc) return false;
    x = Cx;
    y = Cy;
    return true;
  }

 private:
  enum class TShape { Box, Disc, Mask };
  bool ColourPasses(int x, int y) const {
    const uint8_t* p = Pixels + static_cast<size_t>(y) * Stride + 3 * static_cast<size_t>(x);
    return DistB[p[0]] + DistG[p[1]] + DistR[p[2]] < WidthSquared;
  }
  void SetUpColourGate(const TSelectByColor& byColor);
  // Narrows lo..hi to the disc's pixels of row y; false when it has none.
  bool DiscRow(int y, int& lo, int& hi) const;
  template <class F>
  void GatedRun(int y, int lo, int hi, F& f) const {
    if (!ByColor) return f(lo, hi);
    for (int x = lo; x <= hi;) {
      while (x <= hi && !ColourPasses(x, y)) ++x;
      const int first = x;
      while (x <= hi && ColourPasses(x, y)) ++x;
      if (first < x) f(first, x - 1);
    }
  }

  TRect SelBounds, Clip;
  TShape Shape = TShape::Box;
  bool ByColor = false, All = false;
  int64_t Cx = 0, Cy = 0;
  uint64_t RadiusSquared = 0;
  const uint8_t* const* MaskRows = nullptr;
  const uint8_t* Pixels = nullptr;
  size_t Stride = 0;
  std::array<uint64_t, 256> DistB{}, DistG{}, DistR{};
  uint64_t WidthSquared = 0;
};

}  // namespace lumarte::editor
