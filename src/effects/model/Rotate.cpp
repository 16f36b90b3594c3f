// Rotation of the selection by a whole number of degrees.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/FastRound.h"
#include "base/Rounding.h"
#include "effects/model/Transforms.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;
using editor::TPoint;

constexpr double kPi = 3.14159265358979323846;

double Radians(double degrees) {
  return degrees * 2 * kPi / 360;
}

// The rotation as a linear map, exact to a few ulps of the trigonometric
// form; where a coordinate lands next to a half the trigonometric form
// decides, so that both round alike.
class PointRotator {
 public:
  PointRotator(int64_t cx, int64_t cy, double degrees)
      : Cx(cx),
        Cy(cy),
        Degrees(degrees),
        S(std::sin(Radians(degrees))),
        C(std::cos(Radians(degrees))) {}

  void StartRow(int64_t y) {
    Y = y;
    const double dy = static_cast<double>(y - Cy);
    BaseX = static_cast<double>(Cx) + S * dy;
    BaseY = static_cast<double>(Cy) + C * dy;
  }
  TPoint operator()(int64_t x) const {
    const double dx = static_cast<double>(x - Cx);
    const double rx = BaseX + C * dx, ry = BaseY - S * dx;
    const auto nx = static_cast<int64_t>(RoundSmall(rx)), ny = static_cast<int64_t>(RoundSmall(ry));
    if (NearHalf(rx, nx) || NearHalf(ry, ny)) return RotatePoint(x, Y, Cx, Cy, Degrees);
    return {static_cast<int32_t>(nx), static_cast<int32_t>(ny)};
  }

 private:
  static bool NearHalf(double v, int64_t rounded) {
    return std::fabs(v - static_cast<double>(rounded)) > 0.5 - 1e-7;
  }
  int64_t Cx, Cy;
  double Degrees, S, C;
  int64_t Y = 0;
  double BaseX = 0, BaseY = 0;
};

// The centre of the selection's bounds, or a circle's own centre.
void RotationCentre(const editor::TSelectionTest& sel, int64_t& cx, int64_t& cy) {
  if (sel.CircleCentre(cx, cy)) return;
  const editor::TRect& b = sel.Bounds();
  cx = (int64_t{b.Left} + b.Right) / 2;
  cy = (int64_t{b.Top} + b.Bottom) / 2;
}

// How far the rotated corners of the bounds stick out on each side.
struct Growth {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
Growth CornerOverflow(const EffectInput& in, int64_t cx, int64_t cy, double degrees) {
  const editor::TRect& b = in.Selection.Bounds();
  int64_t minX = 0, minY = 0, maxX = in.Source.Width() - 1, maxY = in.Source.Height() - 1;
  for (auto [x, y] :
       {std::pair{b.Left, b.Top}, {b.Right, b.Top}, {b.Left, b.Bottom}, {b.Right, b.Bottom}}) {
    TPoint p = RotatePoint(x, y, cx, cy, degrees);
    minX = std::min<int64_t>(minX, p.X);
    maxX = std::max<int64_t>(maxX, p.X);
    minY = std::min<int64_t>(minY, p.Y);
    maxY = std::max<int64_t>(maxY, p.Y);
  }
  return {static_cast<int>(-minX), static_cast<int>(-minY),
          static_cast<int>(maxX - (in.Source.Width() - 1)),
          static_cast<int>(maxY - (in.Source.Height() - 1))};
}

bool OnSelectionBorder(const editor::TSelectionTest& sel, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if ((dx || dy) && !sel.InSelection(x + dx, y + dy)) return true;
  return false;
}

void CopyPixel(uint8_t* d, const uint8_t* s) {
  d[0] = s[0];
  d[1] = s[1];
  d[2] = s[2];
}

}  // namespace

TPoint RotatePoint(int64_t x, int64_t y, int64_t cx, int64_t cy, double degrees) {
  const double dx = static_cast<double>(x - cx), dy = static_cast<double>(y - cy);
  const double r = std::sqrt(dx * dx + dy * dy);
  double a;
  if (dy != 0) {
    a = std::atan(std::fabs(dx / dy));
    if (dy < 0) a = kPi - a;
    if (dx < 0) a = 2 * kPi - a;
  } else {
    a = dx <= 0 ? 3 * kPi / 2 : kPi / 2;
  }
  const double theta = Radians(degrees) + a;
  return {static_cast<int32_t>(Round(std::sin(theta) * r + static_cast<double>(cx))),
          static_cast<int32_t>(Round(std::cos(theta) * r + static_cast<double>(cy)))};
}

TBitmap Rotate(const EffectInput& in, const RotateParams& p) {
  const TBitmap& src = in.Source;
  const editor::TSelectionTest& sel = in.Selection;
  const int w = src.Width(), h = src.Height();
  int64_t cx = 0, cy = 0;
  RotationCentre(sel, cx, cy);
  Growth g;
  if (p.OverwriteAndResize) g = CornerOverflow(in, cx, cy, p.Angle);
  TBitmap out(w + g.Left + g.Right, h + g.Top + g.Bottom);
  const editor::TColor bgColour = in.Colours.BG.Color();
  const uint8_t bg[3] = {editor::BlueOf(bgColour), editor::GreenOf(bgColour),
                         editor::RedOf(bgColour)};
  const bool tci = p.UseTransparent;
  // Result pixels look back through the opposite turn.
  PointRotator back(cx, cy, 360 - p.Angle);
  for (int y = 0; y < out.Height(); ++y) {
    if ((y & 63) == 0) ReportProgress(in.Progress, y, "Rotate", out.Height());
    uint8_t* row = out.ScanLine(y);
    const int dy = y - g.Top;
    const uint8_t* docRow = dy >= 0 && dy < h ? src.ScanLine(dy) : nullptr;
    back.StartRow(dy);
    for (int x = 0; x < out.Width(); ++x) {
      uint8_t* d = row + 3 * static_cast<size_t>(x);
      const int dx = x - g.Left;
      const bool inside = docRow && dx >= 0 && dx < w;
      const bool selected = inside && sel.InSelection(dx, dy);
      CopyPixel(d, inside && !selected ? docRow + 3 * dx : bg);
      if (!selected && !p.OverwriteAndResize) continue;
      const TPoint s = back(dx);
      if (sel.InSelection(s.X, s.Y)) {
        if (!src.Contains(s.X, s.Y)) continue;  // the first pass left the background
        const uint8_t* sp = src.ScanLine(s.Y) + 3 * static_cast<size_t>(s.X);
        if (!tci || !in.Colours.InTCI(sp[2], sp[1], sp[0])) CopyPixel(d, sp);
      } else if (selected && OnSelectionBorder(sel, dx, dy)) {
        CopyPixel(d, docRow + 3 * dx);
      }
    }
  }
  return out;
}

std::optional<int> ParseAngle(const std::string& text) {
  std::string t = text;
  while (!t.empty() && t.front() == ' ') t.erase(t.begin());
  while (!t.empty() && t.back() == ' ') t.pop_back();
  if (!t.empty() && t.front() == '+') t.erase(t.begin());
  int64_t v = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return static_cast<int>(((v % 360) + 360) % 360);
}

}  // namespace lumarte::effects
