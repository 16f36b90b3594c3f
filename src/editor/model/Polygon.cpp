#include "editor/model/Polygon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "editor/model/LineRaster.h"

namespace lumarte::editor {

namespace {

int32_t Saturate(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Distance from p to the segment a-b: perpendicular when the foot of the
// perpendicular falls on the segment, else to the nearer end.
double SegmentDistance(TPoint p, TPoint a, TPoint b) {
  double ax = a.X, ay = a.Y, dx = double(b.X) - ax, dy = double(b.Y) - ay;
  double px = p.X - ax, py = p.Y - ay;
  double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? (px * dx + py * dy) / len2 : -1;
  if (t >= 0 && t <= 1) return std::abs(px * dy - py * dx) / std::sqrt(len2);
  double ex = p.X - double(b.X), ey = p.Y - double(b.Y);
  return std::sqrt(std::min(px * px + py * py, ex * ex + ey * ey));
}

// Draws the segment pressed into the box: parts outside the box run along
// its border, which keeps the enclosed part of the image enclosed.
template <class Plot>
void ProjectedLine(double x0, double y0, double x1, double y1, const TBox& box, Plot&& plot) {
  std::array<double, 6> ts{0, 1};
  int n = 2;
  auto crossing = [&](double a, double b, double v) {
    if ((a - v) * (b - v) < 0) ts[n++] = (v - a) / (b - a);
  };
  crossing(x0, x1, box.Left);
  crossing(x0, x1, box.Right);
  crossing(y0, y1, box.Top);
  crossing(y0, y1, box.Bottom);
  for (int i = 1; i < n; ++i)  // at most six values: insertion sort
    for (int j = i; j > 0 && ts[j] < ts[j - 1]; --j) std::swap(ts[j], ts[j - 1]);
  auto at = [&](double t) {
    double x = std::clamp(x0 + t * (x1 - x0), box.Left, box.Right);
    double y = std::clamp(y0 + t * (y1 - y0), box.Top, box.Bottom);
    return TPoint{static_cast<int32_t>(std::nearbyint(x)), static_cast<int32_t>(std::nearbyint(y))};
  };
  TPoint from = at(ts[0]);
  for (int i = 1; i < n; ++i) {
    TPoint to = at(ts[i]);
    RasterLine(from.X, from.Y, to.X, to.Y, plot);
    from = to;
  }
}

// Clears every non-zero area that touches the border of the w × h mask
// (4-connected scan-line fill).
void ClearOutside(std::vector<uint8_t>& m, int w, int h) {
  std::vector<std::pair<int, int>> stack;
  for (int x = 0; x < w; ++x) stack.insert(stack.end(), {{x, 0}, {x, h - 1}});
  for (int y = 1; y < h - 1; ++y) stack.insert(stack.end(), {{0, y}, {w - 1, y}});
  auto row = [&](int y) { return m.data() + static_cast<size_t>(y) * w; };
  while (!stack.empty()) {
    auto [x, y] = stack.back();
    stack.pop_back();
    uint8_t* r = row(y);
    if (!r[x]) continue;
    int l = x, rt = x;
    while (l > 0 && r[l - 1]) --l;
    while (rt < w - 1 && r[rt + 1]) ++rt;
    std::fill(r + l, r + rt + 1, 0);
    for (int ny : {y - 1, y + 1}) {
      if (ny < 0 || ny >= h) continue;
      const uint8_t* nr = row(ny);
      for (int nx = l; nx <= rt; ++nx)
        if (nr[nx] && (nx == l || !nr[nx - 1])) stack.emplace_back(nx, ny);
    }
  }
}

}  // namespace

void TPolygon::Clear() {
  Points.clear();
  Changed();
}

void TPolygon::Reserve() {
  if (Points.size() == Points.capacity()) Points.reserve(Points.size() + kGrowBy);
}

void TPolygon::AddPoint(int x, int y) {
  Reserve();
  Points.push_back({x, y});
  Changed();
}

int TPolygon::InsertPoint(int x, int y) {
  if (Count() < 3) {
    AddPoint(x, y);
    return Count() - 1;
  }
  TPoint p{x, y};
  double best = 1.0e8;
  int at = Count();  // after the last vertex: the closing edge
  for (int i = 0; i + 1 < Count(); ++i) {
    double d = SegmentDistance(p, Points[i], Points[i + 1]);
    if (d < best) best = d, at = i + 1;
  }
  if (SegmentDistance(p, Points.back(), Points.front()) <= best) at = Count();
  Reserve();
  Points.insert(Points.begin() + at, p);
  Changed();
  return at;
}

void TPolygon::DeletePoint(int i) {
  if (i < 0 || i >= Count()) return;
  Points.erase(Points.begin() + i);
  Changed();
}

void TPolygon::MovePoint(int i, int x, int y) {
  if (i < 0 || i >= Count()) return;
  Points[i] = {x, y};
  Changed();
}

void TPolygon::Translate(int64_t dx, int64_t dy) {
  for (TPoint& p : Points) p = {Saturate(p.X + dx), Saturate(p.Y + dy)};
  Changed();
}

int TPolygon::IndexOfPoint(int x, int y) const {
  auto it = std::find(Points.begin(), Points.end(), TPoint{x, y});
  return it == Points.end() ? -1 : static_cast<int>(it - Points.begin());
}

int TPolygon::FindNearPoint(int x, int y, int radius) const {
  for (int64_t r = 0; r <= radius; ++r)
    for (int i = 0; i < Count(); ++i) {
      int64_t dx = int64_t{Points[i].X} - x, dy = int64_t{Points[i].Y} - y;
      if (std::abs(dx) < r && std::abs(dy) < r && dx * dx + dy * dy < r * r) return i;
    }
  return -1;
}

TRect TPolygon::VertexBox() const {
  TRect b{Points[0].X, Points[0].Y, Points[0].X, Points[0].Y};
  for (const TPoint& p : Points) {
    b.Left = std::min(b.Left, p.X);
    b.Right = std::max(b.Right, p.X);
    b.Top = std::min(b.Top, p.Y);
    b.Bottom = std::max(b.Bottom, p.Y);
  }
  return b;
}

TRect TPolygon::GetBounds(int imageWidth, int imageHeight) const {
  if (Count() < 2) return {0, 0, imageWidth, imageHeight};
  if (BoundsDirty) {
    Bounds = VertexBox();
    BoundsDirty = false;
  }
  return Bounds;
}

void TPolygon::BuildMask(int imageWidth, int imageHeight) {
  const int w = imageWidth + 2, h = imageHeight + 2;
  Mask.assign(static_cast<size_t>(w) * h, 1);
  auto plot = [&](int x, int y) { Mask[static_cast<size_t>(y) * w + x] = 0; };
  const TBox box{0, 0, double(w - 1), double(h - 1)};
  for (int i = 0; i < Count(); ++i) {
    const TPoint& a = Points[i];
    const TPoint& b = Points[(i + 1) % Count()];
    ProjectedLine(a.X + 1.0, a.Y + 1.0, b.X + 1.0, b.Y + 1.0, box, plot);
  }
  ClearOutside(Mask, w, h);
  MaskRows.resize(imageHeight);
  for (int y = 0; y < imageHeight; ++y)
    MaskRows[y] = Mask.data() + static_cast<size_t>(y + 1) * w + 1;
  MaskWidth = imageWidth;
  MaskHeight = imageHeight;
  Stale = false;
}

}  // namespace lumarte::editor
