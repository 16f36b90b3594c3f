#pragma once
// Straight-line rasterisation shared by the canvas, the polygon mask and the
// on-screen outline, so that all three put a line on the same pixels.
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lumarte::editor {

// Calls plot(x, y) for every pixel of the line from (x0, y0) to (x1, y1),
// leaving the end point out as the host canvas does.
template <class Plot>
void RasterLine(int x0, int y0, int x1, int y1, Plot&& plot) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    plot(x0, y0);
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

struct TBox {
  double Left, Top, Right, Bottom;
};

// Liang-Barsky: cuts the segment to the box; false when nothing of it is inside.
inline bool ClipSegment(double& x0, double& y0, double& x1, double& y1, const TBox& box) {
  double t0 = 0, t1 = 1, dx = x1 - x0, dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - box.Left, box.Right - x0, y0 - box.Top, box.Bottom - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  double sx = x0, sy = y0;
  x0 = sx + t0 * dx, y0 = sy + t0 * dy;
  x1 = sx + t1 * dx, y1 = sy + t1 * dy;
  return true;
}

}  // namespace lumarte::editor
