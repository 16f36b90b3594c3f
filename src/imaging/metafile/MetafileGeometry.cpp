#include "imaging/metafile/MetafileGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumarte::imaging {

void TMetaPath::MoveTo(TPointD p) {
  Ops.push_back(TPathOp::Move);
  Points.push_back(p);
}

void TMetaPath::LineTo(TPointD p) {
  Ops.push_back(TPathOp::Line);
  Points.push_back(p);
}

void TMetaPath::CubicTo(TPointD c1, TPointD c2, TPointD p) {
  Ops.push_back(TPathOp::Cubic);
  Points.insert(Points.end(), {c1, c2, p});
}

void TMetaPath::Close() {
  Ops.push_back(TPathOp::Close);
}

void TMetaPath::Append(const TMetaPath& other) {
  Ops.insert(Ops.end(), other.Ops.begin(), other.Ops.end());
  Points.insert(Points.end(), other.Points.begin(), other.Points.end());
}

namespace {

// Far beyond any picture, well inside what painters handle.
constexpr double kCoordLimit = 1 << 24;

double Tidy(double v) {
  if (!(v > -kCoordLimit)) return -kCoordLimit;  // also catches NaN
  if (v > kCoordLimit) return kCoordLimit;
  double r = std::round(v);
  return std::fabs(v - r) < 1e-6 ? r : v;
}

constexpr double kPi = std::numbers::pi;

struct TEllipse {
  double Cx, Cy, Rx, Ry;
  TPointD At(double t) const { return {Cx + Rx * std::cos(t), Cy + Ry * std::sin(t)}; }
  TPointD Tangent(double t) const { return {-Rx * std::sin(t), Ry * std::cos(t)}; }
  // Parameter of the point where the ray from the centre through (x, y) meets
  // the ellipse; written without dividing so flat boxes stay finite.
  double ParamOf(double x, double y) const { return std::atan2((y - Cy) * Rx, (x - Cx) * Ry); }
};

TEllipse EllipseInBox(double l, double t, double r, double b) {
  return {(l + r) / 2, (t + b) / 2, std::fabs(r - l) / 2, std::fabs(b - t) / 2};
}

// Appends the arc from parameter t0 to t1 as cubic pieces of at most a
// quarter turn each. The path must already be at At(t0).
void AppendArc(TMetaPath& path, const TAffine& xf, const TEllipse& e, double t0, double t1) {
  double turns = std::fabs(t1 - t0) / (kPi / 2);
  if (!(turns < 64)) return;  // not finite, or more laps than any drawing needs
  int pieces = std::max(1, static_cast<int>(std::ceil(turns - 1e-9)));
  double step = (t1 - t0) / pieces;
  double k = 4.0 / 3.0 * std::tan(step / 4);
  for (int i = 0; i < pieces; ++i) {
    double a = t0 + step * i, b = a + step;
    TPointD p0 = e.At(a), p3 = e.At(b), d0 = e.Tangent(a), d3 = e.Tangent(b);
    path.CubicTo(xf.Map(p0.X + k * d0.X, p0.Y + k * d0.Y), xf.Map(p3.X - k * d3.X, p3.Y - k * d3.Y),
                 xf.Map(p3));
  }
}

// Normalises an angle difference into (0, 2π]; zero means a full turn.
double Turn(double delta) {
  delta = std::fmod(delta, 2 * kPi);
  if (delta <= 1e-12) delta += 2 * kPi;
  return delta;
}

}  // namespace

TPointD TAffine::Map(double x, double y) const {
  return {Tidy(M11 * x + M21 * y + Dx), Tidy(M12 * x + M22 * y + Dy)};
}

double TAffine::ScaleX() const {
  return std::hypot(M11, M12);
}
double TAffine::ScaleY() const {
  return std::hypot(M21, M22);
}

bool TAffine::IsFinite() const {
  for (double v : {M11, M12, M21, M22, Dx, Dy})
    if (!std::isfinite(v)) return false;
  return true;
}

TAffine TAffine::operator*(const TAffine& o) const {
  return {M11 * o.M11 + M21 * o.M12, M12 * o.M11 + M22 * o.M12,    M11 * o.M21 + M21 * o.M22,
          M12 * o.M21 + M22 * o.M22, M11 * o.Dx + M21 * o.Dy + Dx, M12 * o.Dx + M22 * o.Dy + Dy};
}

TMetaPath RectanglePath(const TAffine& xf, double l, double t, double r, double b) {
  TMetaPath p;
  p.MoveTo(xf.Map(l, t));
  p.LineTo(xf.Map(r, t));
  p.LineTo(xf.Map(r, b));
  p.LineTo(xf.Map(l, b));
  p.Close();
  return p;
}

TMetaPath EllipsePath(const TAffine& xf, double l, double t, double r, double b) {
  TEllipse e = EllipseInBox(l, t, r, b);
  TMetaPath p;
  p.MoveTo(xf.Map(e.At(0)));
  AppendArc(p, xf, e, 0, 2 * kPi);
  p.Close();
  return p;
}

TMetaPath RoundRectPath(const TAffine& xf, double l, double t, double r, double b, double cw,
                        double ch) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  double rx = std::min(std::fabs(cw), r - l) / 2, ry = std::min(std::fabs(ch), b - t) / 2;
  if (rx <= 0 || ry <= 0) return RectanglePath(xf, l, t, r, b);
  // Corner ellipses, clockwise on a y-down page from the top-right corner.
  const TEllipse corners[4] = {{r - rx, t + ry, rx, ry},
                               {r - rx, b - ry, rx, ry},
                               {l + rx, b - ry, rx, ry},
                               {l + rx, t + ry, rx, ry}};
  TMetaPath p;
  p.MoveTo(xf.Map(l + rx, t));
  double start = -kPi / 2;
  for (const TEllipse& c : corners) {
    p.LineTo(xf.Map(c.At(start)));
    AppendArc(p, xf, c, start, start + kPi / 2);
    start += kPi / 2;
  }
  p.Close();
  return p;
}

TMetaPath ArcPath(const TAffine& xf, double l, double t, double r, double b, double xs, double ys,
                  double xe, double ye, bool clockwise, TArcKind kind, bool continuing) {
  TEllipse e = EllipseInBox(l, t, r, b);
  double ts = e.ParamOf(xs, ys), te = e.ParamOf(xe, ye);
  // On a y-down output growing parameters turn clockwise; a mirroring map
  // turns that around.
  bool growing = clockwise != (xf.Determinant() < 0);
  double t1 = growing ? ts + Turn(te - ts) : ts - Turn(ts - te);
  TMetaPath p;
  if (continuing)
    p.LineTo(xf.Map(e.At(ts)));
  else
    p.MoveTo(xf.Map(e.At(ts)));
  AppendArc(p, xf, e, ts, t1);
  if (kind == TArcKind::Pie) p.LineTo(xf.Map(e.Cx, e.Cy));
  if (kind != TArcKind::Arc) p.Close();
  return p;
}

TMetaPath AngleArcPath(const TAffine& xf, double cx, double cy, double radius, double startDeg,
                       double sweepDeg) {
  // Logical angles grow counterclockwise on a y-down page, the opposite of
  // the ellipse parameter.
  TEllipse e{cx, cy, std::fabs(radius), std::fabs(radius)};
  // Laps beyond the second draw nothing new; the end point stays where it was.
  if (std::fabs(sweepDeg) > 720)
    sweepDeg = std::copysign(360 + std::fmod(std::fabs(sweepDeg), 360), sweepDeg);
  double t0 = -startDeg * kPi / 180, t1 = -(startDeg + sweepDeg) * kPi / 180;
  TMetaPath p;
  p.LineTo(xf.Map(e.At(t0)));
  AppendArc(p, xf, e, t0, t1);
  return p;
}

TPointD ArcEndPoint(double l, double t, double r, double b, double xe, double ye) {
  TEllipse e = EllipseInBox(l, t, r, b);
  return e.At(e.ParamOf(xe, ye));
}

}  // namespace lumarte::imaging
