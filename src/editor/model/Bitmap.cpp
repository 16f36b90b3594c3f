#include "editor/model/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "editor/model/LineRaster.h"
#include "imaging/Errors.h"

namespace lumarte::editor {

namespace {

// Row span [first, last] of the ellipse with centre c and radii r at row y
// (pixel centres inside); false when the row misses it.
bool EllipseSpan(double cx, double cy, double rx, double ry, int y, int& first, int& last) {
  if (rx <= 0 || ry <= 0) return false;
  double dy = (y + 0.5 - cy) / ry;
  if (dy * dy > 1.0) return false;
  double half = rx * std::sqrt(1.0 - dy * dy);
  first = static_cast<int>(std::ceil(cx - half - 0.5));
  last = static_cast<int>(std::floor(cx + half - 0.5));
  return first <= last;
}

}  // namespace

void TBitmap::SetSize(int w, int h) {
  Allocate(w, h);
  std::fill(Pixels_.begin(), Pixels_.end(), uint8_t{0xFF});
}

TBitmap TBitmap::ForOverwrite(int w, int h) {
  TBitmap b;
  b.Allocate(w, h);
  return b;
}

void TBitmap::Allocate(int w, int h) {
  if (w < 0 || h < 0 || int64_t{w} * h * 3 > kMaxBytes)
    throw ELumarteError("Invalid bitmap size");
  // A fresh buffer: growing the old one would copy pixels about to be replaced.
  decltype(Pixels_) px;
  px.resize(static_cast<size_t>(w) * h * 3);
  Pixels_.swap(px);
  W = w;
  H = h;
}

TColor TBitmap::Pixel(int x, int y) const {
  if (!Contains(x, y)) return clInvalid;
  const uint8_t* p = ScanLine(y) + 3 * x;
  return RGBColor(p[2], p[1], p[0]);
}

void TBitmap::SetPixel(int x, int y, TColor c) {
  if (!Contains(x, y)) return;
  uint8_t* p = ScanLine(y) + 3 * x;
  p[0] = BlueOf(c);
  p[1] = GreenOf(c);
  p[2] = RedOf(c);
}

void TBitmap::FillSpan(int x1, int x2, int y, TColor c) {
  if (y < 0 || y >= H) return;
  x1 = std::max(x1, 0);
  x2 = std::min(x2, W - 1);
  uint8_t* p = ScanLine(y);
  for (int x = x1; x <= x2; ++x) {
    p[3 * x] = BlueOf(c);
    p[3 * x + 1] = GreenOf(c);
    p[3 * x + 2] = RedOf(c);
  }
}

void TBitmap::Stamp(int x, int y) {
  if (PenWidth <= 1) {
    SetPixel(x, y, PenColor);
    return;
  }
  // A round dot of the pen's width centred on the point.
  int lo = -PenWidth / 2, hi = (PenWidth - 1) / 2;
  for (int dy = lo; dy <= hi; ++dy) {
    int first = hi + 1, last = lo - 1;
    for (int dx = lo; dx <= hi; ++dx)
      if (4 * (dx * dx + dy * dy) <= PenWidth * PenWidth) {
        first = std::min(first, dx);
        last = std::max(last, dx);
      }
    if (first <= last) FillSpan(x + first, x + last, y + dy, PenColor);
  }
}

void TBitmap::LineTo(int x, int y) {
  RasterLine(PenX, PenY, x, y, [this](int px, int py) { Stamp(px, py); });
  // A wide pen has round caps, so its end point is covered too.
  if (PenWidth > 1) Stamp(x, y);
  PenX = x;
  PenY = y;
}

void TBitmap::FillRect(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  for (int y = std::max(y1, 0); y < std::min(y2, H); ++y) FillSpan(x1, x2 - 1, y, BrushColor);
}

void TBitmap::Rectangle(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (!BrushClear) FillRect(x1, y1, x2, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  int px = PenX, py = PenY;
  MoveTo(x1, y1);
  LineTo(x2 - 1, y1);
  LineTo(x2 - 1, y2 - 1);
  LineTo(x1, y2 - 1);
  LineTo(x1, y1);
  SetPixel(x1, y1, PenColor);
  PenX = px;
  PenY = py;
}

void TBitmap::Ellipse(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
  double rx = (x2 - x1) / 2.0, ry = (y2 - y1) / 2.0;
  double w = std::max(PenWidth, 1);
  for (int y = std::max(y1, 0); y < std::min(y2, H); ++y) {
    int of, ol, inf, inl;
    if (!EllipseSpan(cx, cy, rx, ry, y, of, ol)) continue;
    if (EllipseSpan(cx, cy, rx - w, ry - w, y, inf, inl)) {
      FillSpan(of, inf - 1, y, PenColor);
      if (!BrushClear) FillSpan(inf, inl, y, BrushColor);
      FillSpan(inl + 1, ol, y, PenColor);
    } else {
      FillSpan(of, ol, y, PenColor);
    }
  }
}

void TBitmap::FloodFill(int x, int y, TColor c, TFillStyle style) {
  if (!Contains(x, y)) return;
  c &= 0xFFFFFF;
  auto fillable = [&](int px, int py) {
    bool same = Pixel(px, py) == c;
    return style == TFillStyle::fsSurface ? same : !same;
  };
  if (!fillable(x, y)) return;
  std::vector<uint8_t> done(static_cast<size_t>(W) * H, 0);
  auto open = [&](int px, int py) {
    return !done[static_cast<size_t>(py) * W + px] && fillable(px, py);
  };
  std::vector<std::pair<int, int>> stack{{x, y}};
  while (!stack.empty()) {
    auto [sx, sy] = stack.back();
    stack.pop_back();
    if (!open(sx, sy)) continue;
    int l = sx, r = sx;
    while (l > 0 && open(l - 1, sy)) --l;
    while (r < W - 1 && open(r + 1, sy)) ++r;
    FillSpan(l, r, sy, BrushColor);
    std::fill(done.begin() + static_cast<long>(sy) * W + l,
              done.begin() + static_cast<long>(sy) * W + r + 1, 1);
    for (int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= H) continue;
      for (int nx = l; nx <= r; ++nx)
        if (open(nx, ny) && (nx == l || !open(nx - 1, ny))) stack.emplace_back(nx, ny);
    }
  }
}

void TBitmap::Draw(int x, int y, const TBitmap& other) {
  int x1 = std::max(x, 0), x2 = std::min(x + other.W, W);
  if (x1 >= x2) return;
  for (int sy = 0; sy < other.H; ++sy) {
    int dy = y + sy;
    if (dy < 0 || dy >= H) continue;
    std::memcpy(ScanLine(dy) + 3 * x1, other.ScanLine(sy) + 3 * (x1 - x),
                static_cast<size_t>(x2 - x1) * 3);
  }
}

TColor TBitmap::TransparentColor() const { return Empty() ? clBlack : Pixel(0, H - 1); }

}  // namespace lumarte::editor
