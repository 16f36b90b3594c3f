#include "editor/model/SelectionTest.h"

#include <algorithm>
#include <cmath>

#include "imaging/Errors.h"

namespace lumarte::editor {

namespace {

TRect Intersect(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

}  // namespace

TSelectionTest::TSelectionTest(TSelectionClass& sel, const TBitmap& image,
                               const TSelectByColor& byColor) {
  const int w = image.Width(), h = image.Height();
  LUMARTE_ASSERT(w > 0 && h > 0);
  SelBounds = GetSelectionBounds(sel, w, h);
  sel.BoundsDirty = false;
  const TRect whole{0, 0, w - 1, h - 1};
  TRect shape = SelBounds;
  if (sel.Kind == SelKind::Point && sel.X2 >= 0) {
    shape = {sel.X2, sel.Y2, sel.X2, sel.Y2};
  } else if (sel.Kind == SelKind::Circle && sel.X2 >= 0) {
    Shape = TShape::Disc;
    Cx = sel.X1, Cy = sel.Y1;
    RadiusSquared = static_cast<uint64_t>(int64_t{sel.X2} * sel.X2);
  } else if (sel.IsPolygonKind() && sel.Polygon.Count() >= 1) {
    if (sel.Polygon.MaskStale(w, h)) sel.Polygon.BuildMask(w, h);
    Shape = TShape::Mask;
    MaskRows = sel.Polygon.Rows();
  }
  // Pixels outside the image are never selected, whatever the shape says.
  Clip = Intersect(shape, whole);
  ByColor = sel.ByColor;
  if (ByColor) {
    Pixels = image.ScanLine(0);
    Stride = static_cast<size_t>(image.BytesPerLine());
    SetUpColourGate(byColor);
  }
  All = !ByColor && Shape == TShape::Box && Clip == whole;
}

bool TSelectionTest::DiscRow(int y, int& lo, int& hi) const {
  const int64_t dy = int64_t{y} - Cy;
  const uint64_t dy2 = static_cast<uint64_t>(dy * dy);
  if (dy2 > RadiusSquared) return false;
  // The largest r with r * r <= RadiusSquared - dy2, corrected after the
  // floating-point estimate.
  const uint64_t room = RadiusSquared - dy2;
  auto r = static_cast<int64_t>(std::sqrt(static_cast<double>(room)));
  while (r > 0 && static_cast<uint64_t>(r * r) > room) --r;
  while (static_cast<uint64_t>((r + 1) * (r + 1)) <= room) ++r;
  lo = static_cast<int>(std::max<int64_t>(lo, Cx - r));
  hi = static_cast<int>(std::min<int64_t>(hi, Cx + r));
  return lo <= hi;
}

void TSelectionTest::SetUpColourGate(const TSelectByColor& c) {
  auto square = [](int64_t d) { return static_cast<uint64_t>(d * d); };
  for (int v = 0; v < 256; ++v) {
    DistB[v] = square(v - int64_t{c.Blue});
    DistG[v] = square(v - int64_t{c.Green});
    DistR[v] = square(v - int64_t{c.Red});
  }
  WidthSquared = square(c.Width);
}

}  // namespace lumarte::editor
