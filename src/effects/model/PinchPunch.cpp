// Pinch and punch: rays from the centre of the selection; along each ray the
// selected pixels take the pixel at a remapped distance. Later rays (and
// later points of a ray) overwrite what earlier ones wrote, so a pixel ends
// with the value of the last point that reaches it. The sweep therefore runs
// backwards and maps a pixel only at its first visit: the same pixels as the
// forward sweep, with the costly mapping done once per pixel instead of once
// per point.
#include <algorithm>
#include <cmath>

#include "base/FastRound.h"
#include "base/Rounding.h"
#include "effects/model/Transforms.h"

namespace lumarte::effects {

namespace {

constexpr int64_t kMaxRays = 19999999;
constexpr int64_t kChunk = 4096;  // rays whose angles are regenerated at a time

// The largest r at which a ray from (cx, cy) in direction (s, c) can still
// round into a size × size image along one axis, plus a margin.
double AxisReach(double dir, double centre, int size) {
  if (dir > 0) return (size - 0.5 - centre) / dir + 1;
  if (dir < 0) return (centre + 0.5) / -dir + 1;
  return HUGE_VAL;
}

int64_t Nearest(double v) {
  return static_cast<int64_t>(RoundSmall(v));
}

class Sweep {
 public:
  Sweep(const EffectInput& in, editor::TBitmap& out, const PinchPunchParams& p)
      : In(in),
        Out(out),
        Method(p.Method),
        K(p.Position / 201.0),
        Done(static_cast<size_t>(in.Source.Width()) * in.Source.Height(), 0) {
    const editor::TRect& b = in.Selection.Bounds();
    const double bw = b.Right - b.Left, bh = b.Bottom - b.Top;
    Diagonal = std::sqrt(bw * bw + bh * bh);
    Cx = static_cast<double>((int64_t{b.Left} + b.Right) / 2);
    Cy = static_cast<double>((int64_t{b.Top} + b.Bottom) / 2);
  }

  // One ray, its points from the centre outwards (the reverse of their order).
  void Cast(double alpha) {
    const double s = std::sin(alpha), c = std::cos(alpha);
    const int w = In.Source.Width(), h = In.Source.Height();
    auto at = [&](int64_t i, int64_t& x, int64_t& y) {
      const double r = Diagonal - static_cast<double>(i);
      x = Nearest(s * r + Cx);
      y = Nearest(c * r + Cy);
      return x >= 0 && y >= 0 && x < w && y < h &&
             In.Selection.InSelection(static_cast<int>(x), static_cast<int>(y));
    };
    // Points beyond the image are skipped; r keeps the values diag - i.
    const double reach = std::min(AxisReach(s, Cx, w), AxisReach(c, Cy, h));
    int64_t first = Diagonal > reach ? static_cast<int64_t>(Diagonal - reach) : 0;
    const int64_t last = static_cast<int64_t>(std::ceil(Diagonal)) - 1;  // the last r > 0
    int64_t x = 0, y = 0;
    while (first <= last && !at(first, x, y)) ++first;  // rmax: the first selected point
    if (first > last) return;
    const double rmax = Diagonal - static_cast<double>(first);
    for (int64_t i = last; i >= first; --i) {
      if (!at(i, x, y)) continue;  // unselected pixels only ever get their own value
      uint8_t& done = Done[static_cast<size_t>(y) * w + x];
      if (done) continue;
      done = 1;
      const double r = Diagonal - static_cast<double>(i);
      const double to = PinchMapping(Method, K, r / rmax) * rmax;
      const int64_t qx = Nearest(s * to + Cx), qy = Nearest(c * to + Cy);
      if (qx < 0 || qy < 0 || qx >= w || qy >= h) continue;
      const uint8_t* q = In.Source.ScanLine(static_cast<int>(qy)) + 3 * qx;
      uint8_t* d = Out.ScanLine(static_cast<int>(y)) + 3 * x;
      d[0] = q[0];
      d[1] = q[1];
      d[2] = q[2];
    }
  }

 private:
  const EffectInput& In;
  editor::TBitmap& Out;
  PinchMethod Method;
  double K, Diagonal = 0, Cx = 0, Cy = 0;
  std::vector<uint8_t> Done;  // pixels whose last writer has been found
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
  Sweep sweep(in, out, p);
  const int64_t span = int64_t{in.Source.Width()} + in.Source.Height();
  const double step = std::min(360.0 / static_cast<double>(span * 16), 1.0);
  // The angle counts degrees (for the progress bar) but the rays take it as
  // radians, so the sweep goes round the circle many times. The angles come
  // from repeated addition; every kChunk-th is kept so that each chunk can be
  // regenerated, exactly, for the backward run.
  std::vector<double> starts;
  int64_t rays = 0;
  for (double alpha = 0; alpha < 360 && rays < kMaxRays; alpha += step, ++rays)
    if (rays % kChunk == 0) starts.push_back(alpha);
  std::vector<double> angles;
  int64_t done = 0, shown = -1;
  for (size_t chunk = starts.size(); chunk-- > 0;) {
    angles.clear();
    const int64_t count = std::min<int64_t>(kChunk, rays - static_cast<int64_t>(chunk) * kChunk);
    for (double alpha = starts[chunk]; static_cast<int64_t>(angles.size()) < count; alpha += step)
      angles.push_back(alpha);
    for (auto a = angles.rbegin(); a != angles.rend(); ++a, ++done) {
      if (const int64_t at = done * 360 / rays; at != shown) {
        shown = at;
        ReportProgress(in.Progress, static_cast<int>(at), "Pinch & Punch", 360);
      }
      sweep.Cast(*a);
    }
  }
  return out;
}

}  // namespace lumarte::effects
