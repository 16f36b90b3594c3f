// Pinch and punch: rays from the centre of the selection; along each ray the
// selected pixels take the pixel at a remapped distance. Rays run in order
// and later rays overwrite what earlier ones wrote.
#include <algorithm>
#include <cmath>

#include "effects/model/Rounding.h"
#include "effects/model/Transforms.h"

namespace lumarte::effects {

namespace {

constexpr int64_t kMaxRays = 19999999;

// The largest r at which a ray from (cx, cy) in direction (s, c) can still
// round into a size × size image along one axis, plus a margin.
double AxisReach(double dir, double centre, int size) {
  if (dir > 0) return (size - 0.5 - centre) / dir + 1;
  if (dir < 0) return (centre + 0.5) / -dir + 1;
  return HUGE_VAL;
}

struct Ray {
  const EffectInput& In;
  editor::TBitmap& Out;
  PinchMethod Method;
  double K, Diagonal, Cx, Cy;

  void Cast(double alpha) const {
    const double s = std::sin(alpha), c = std::cos(alpha);
    const editor::TBitmap& src = In.Source;
    // Points beyond the image are skipped; r keeps the values diag - i.
    const double reach = std::min(AxisReach(s, Cx, src.Width()), AxisReach(c, Cy, src.Height()));
    int64_t i = Diagonal > reach ? static_cast<int64_t>(Diagonal - reach) : 0;
    double rmax = -1;
    for (double r = Diagonal - static_cast<double>(i); r > 0;
         r = Diagonal - static_cast<double>(++i)) {
      const int64_t px = Round(s * r + Cx), py = Round(c * r + Cy);
      if (px < 0 || py < 0 || px >= src.Width() || py >= src.Height()) continue;
      // An unselected pixel only ever gets its own value back, which the
      // result already holds.
      if (!In.Selection.InSelection(static_cast<int>(px), static_cast<int>(py))) continue;
      if (rmax < 0) rmax = r;
      const double reach2 = PinchMapping(Method, K, r / rmax) * rmax;
      const int64_t qx = Round(s * reach2 + Cx), qy = Round(c * reach2 + Cy);
      if (qx < 0 || qy < 0 || qx >= src.Width() || qy >= src.Height()) continue;
      const uint8_t* q = src.ScanLine(static_cast<int>(qy)) + 3 * qx;
      uint8_t* d = Out.ScanLine(static_cast<int>(py)) + 3 * px;
      d[0] = q[0];
      d[1] = q[1];
      d[2] = q[2];
    }
  }
};

}  // namespace

double PinchMapping(PinchMethod method, double k, double t) {
  switch (method) {
    case PinchMethod::Linear:
      return t > 0.5 ? (1 - k) + (t - 0.5) * 2 * k : (0.5 - t) * 2 * (1 - k);
    case PinchMethod::Square:
      return k * t * t * t + (1 - k) * std::cbrt(t);
    case PinchMethod::Harder: {
      const double third = std::cbrt(t);
      return k * t * std::sqrt(t) + (1 - k) * third * third;
    }
    case PinchMethod::Softer:
      return k * t * t + (1 - k) * std::sqrt(t);
  }
  return t;
}

editor::TBitmap PinchPunch(const EffectInput& in, const PinchPunchParams& p) {
  editor::TBitmap out = in.Source;
  const editor::TRect& b = in.Selection.Bounds();
  const double bw = b.Right - b.Left, bh = b.Bottom - b.Top;
  const Ray ray{in,
                out,
                p.Method,
                p.Position / 201.0,
                std::sqrt(bw * bw + bh * bh),
                static_cast<double>((int64_t{b.Left} + b.Right) / 2),
                static_cast<double>((int64_t{b.Top} + b.Bottom) / 2)};
  const int64_t span = int64_t{in.Source.Width()} + in.Source.Height();
  const double step = std::min(360.0 / static_cast<double>(span * 16), 1.0);
  // The angle counts degrees for the progress bar, but the rays take it as
  // radians, so the sweep goes round the circle many times.
  int64_t shown = -1;
  int64_t rays = 0;
  for (double alpha = 0; alpha < 360 && rays < kMaxRays; alpha += step, ++rays) {
    if (const int64_t at = Round(alpha); at != shown) {
      shown = at;
      ReportProgress(in.Progress, static_cast<int>(at), "Pinch & Punch", 360);
    }
    ray.Cast(alpha);
  }
  return out;
}

}  // namespace lumarte::effects
