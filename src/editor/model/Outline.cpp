#include "editor/model/Outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "editor/model/LineRaster.h"
#include "editor/model/ZoomView.h"

namespace lumarte::editor {

namespace {

uint8_t MarkChannel(uint8_t c) {
  if (c > 200) return 255 - c;
  if (c > 150) return 0;
  if (c >= 100) return 255;
  return 255 - c;
}

// Collects screen pixels, keeping only those inside the viewport.
class OutlineCollector {
 public:
  explicit OutlineCollector(const TViewport& v) : View(v), Zoom(EffectiveZoom(v.Zoom)) {}

  double ScreenX(double x) const { return x * Zoom - View.ScrollX; }
  double ScreenY(double y) const { return y * Zoom - View.ScrollY; }

  void Dot(double sx, double sy) {
    double x = std::nearbyint(sx), y = std::nearbyint(sy);
    if (x >= 0 && y >= 0 && x < View.Width && y < View.Height)
      Points.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
  }
  // A line between screen positions, cut to the viewport first so that far
  // away vertices cost nothing.
  void Line(double x0, double y0, double x1, double y1) {
    const TBox box{-1, -1, double(View.Width), double(View.Height)};
    if (!ClipSegment(x0, y0, x1, y1, box)) return;
    auto r = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    RasterLine(r(x0), r(y0), r(x1), r(y1), [&](int x, int y) { Dot(x, y); });
    Dot(x1, y1);
  }
  void ImageLine(TPoint a, TPoint b) {
    Line(ScreenX(a.X), ScreenY(a.Y), ScreenX(b.X), ScreenY(b.Y));
  }
  void Box(double x0, double y0, double x1, double y1) {
    Line(x0, y0, x1, y0);
    Line(x1, y0, x1, y1);
    Line(x1, y1, x0, y1);
    Line(x0, y1, x0, y0);
  }
  void Circle(double cx, double cy, int32_t r) {
    // Beyond this radius more dots add nothing visible but time.
    const double steps = std::max(10.0, 10.0 * std::min<double>(r, 1 << 16));
    for (double i = 0; i <= steps; ++i) {
      double a = i * 2 * std::numbers::pi / steps;
      Dot(ScreenX(cx + r * std::sin(a)), ScreenY(cy + r * std::cos(a)));
    }
  }

  std::vector<TPoint> Points;

 private:
  TViewport View;
  double Zoom;
};

}  // namespace

TColor MarkColor(TColor c) {
  return RGBColor(MarkChannel(RedOf(c)), MarkChannel(GreenOf(c)), MarkChannel(BlueOf(c)));
}

std::vector<TPoint> OutlinePoints(const TSelectionClass& sel, const TViewport& view) {
  OutlineCollector out(view);
  if (sel.IsPaintMode()) return {};
  switch (sel.Kind) {
    case SelKind::Rectangle:
      if (sel.X1 >= 0)
        out.Box(out.ScreenX(sel.X1), out.ScreenY(sel.Y1), out.ScreenX(sel.X2), out.ScreenY(sel.Y2));
      break;
    case SelKind::Point:
      if (sel.X2 >= 0) {
        double x = std::nearbyint(out.ScreenX(sel.X2)), y = std::nearbyint(out.ScreenY(sel.Y2));
        out.Box(x - 2, y - 2, x + 2, y + 2);
      }
      break;
    case SelKind::Circle:
      if (sel.X1 >= 0 && sel.X2 >= 0) out.Circle(sel.X1, sel.Y1, sel.X2);
      break;
    case SelKind::Polygon:
    case SelKind::Freehand: {
      const auto& v = sel.Polygon.Vertices();
      for (size_t i = 0; i < v.size(); ++i) out.ImageLine(v[i], v[(i + 1) % v.size()]);
      break;
    }
    default:
      break;
  }
  return std::move(out.Points);
}

}  // namespace lumarte::editor
