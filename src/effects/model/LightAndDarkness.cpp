// Light and darkness: every selected pixel's channels are scaled by the sum
// of the sources' contributions, each filtered by the barriers that lie
// between the pixel and the source, then dithered from the program's
// generator. Rows are shared out over the cores in blocks; between blocks the
// calling thread reports progress and notices Abort.
#include <algorithm>
#include <cmath>
#include <mutex>
#include <numbers>

#include "base/Parallel.h"
#include "base/Rounding.h"
#include "effects/model/Lighting.h"

namespace lumarte::effects {

namespace {

constexpr const char* kTitle = "Light and Darkness";
constexpr double kMaxDistanceUnset = 64000;

int Orientation(TSegmentEnd a, TSegmentEnd b, TSegmentEnd c) {
  const int64_t v = (b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X);
  return (v > 0) - (v < 0);
}

// c, collinear with a-b, lies within the segment's box.
bool WithinBox(TSegmentEnd a, TSegmentEnd b, TSegmentEnd c) {
  return std::min(a.X, b.X) <= c.X && c.X <= std::max(a.X, b.X) && std::min(a.Y, b.Y) <= c.Y &&
         c.Y <= std::max(a.Y, b.Y);
}

struct Source {
  int64_t X, Y;
  double Width, MaxDistance, Factor;
  double P[3];  // colour as a fraction: red, green, blue
  int32_t Function;
  bool Average, Dark;
};

struct Barrier {
  TSegmentEnd A, B;
  int64_t MinX, MaxX, MinY, MaxY;
  double Keep[3];  // the fraction of each channel that passes
};

Source Prepare(const TLight& l) {
  Source s{l.X,
           l.Y,
           static_cast<double>(l.Width),
           l.MaxDistance == -1 ? kMaxDistanceUnset : static_cast<double>(l.MaxDistance),
           l.Factor,
           {l.Red / 100, l.Green / 100, l.Blue / 100},
           l.Function,
           l.Style == kLightAverage || l.Style == kDarknessAverage,
           l.Style == kDarkness || l.Style == kDarknessAverage};
  return s;
}

Barrier Prepare(const TBarrier& b) {
  return {{b.X1, b.Y1},
          {b.X2, b.Y2},
          std::min(b.X1, b.X2),
          std::max(b.X1, b.X2),
          std::min(b.Y1, b.Y2),
          std::max(b.Y1, b.Y2),
          {(100 - b.Red) / 100, (100 - b.Green) / 100, (100 - b.Blue) / 100}};
}

// i_c = Slope * p_c + Offset at distance d.
struct FallOff {
  double Slope, Offset;
};

FallOff Evaluate(const Source& s, double d) {
  static const double kInvE = std::exp(-1.0);
  const double w = s.Width;
  // A width of 0 reaches the source's own pixel only (no division by zero).
  const double r = w > 0 ? d / w : (d > 0 ? HUGE_VAL : 0);
  const bool inside = d <= w;
  const double phase = w > 0 ? 2 * std::numbers::pi * d / w : 0;
  switch (s.Function) {
    case kConstant:
      return {1, 0};
    case kLinear:
      return {inside ? 1 - r : 0, 0};
    case kQuadratic:
      return {inside ? 1 - r * r : 0, 0};
    case kExponential:
      return {inside ? (std::exp(-r) - kInvE) / (1 - kInvE) : 0, 0};
    case kSigmoid:
      return {inside ? (1 - std::tanh((r - 0.5) * 5)) * 0.5 : 0, 0};
    case kSine:
      return {std::sin(phase) * 0.5, 0.5};
    case kSine2:
      return {std::sin(phase), 0};
  }
  return {0, 0};
}

class Lighting {
 public:
  Lighting(const EffectInput& in, const LightAndDarknessParams& p) : In(in) {
    for (const TLight& l : p.Lights) Sources.push_back(Prepare(l));
    for (const TBarrier& b : p.Barriers)
      if (b.Style == 0 && (b.Red != 0 || b.Green != 0 || b.Blue != 0))
        Barriers.push_back(Prepare(b));
  }

  // One pass over the selection with global factor g (thousandths); writes
  // the dithered pixels into out unless it is null, drawing from a generator
  // in state start. Returns the largest average output.
  double Pass(double g, editor::TBitmap* out, uint32_t start,
              const std::vector<int64_t>& before) const {
    const editor::TRect& c = In.Selection.Candidates();
    const int64_t rows = int64_t{c.Bottom} - c.Top + 1;
    double maximum = 0;
    std::mutex m;
    ParallelBands(
        rows, RowsPerBlock(c.Right - c.Left + 1),
        [&](int64_t r0) {
          ReportProgress(In.Progress, static_cast<int>(r0), kTitle, static_cast<int>(rows));
        },
        [&](int64_t b, int64_t e) {
          const double found = Rows(g, out, start, before, b, e);
          std::lock_guard<std::mutex> lock(m);
          maximum = std::max(maximum, found);
        });
    return maximum;
  }

 private:
  const EffectInput& In;
  std::vector<Source> Sources;
  std::vector<Barrier> Barriers;

  // Enough rows that each core gets a few hundred thousand barrier tests,
  // few enough that Abort is noticed within a fraction of a second.
  int64_t RowsPerBlock(int width) const {
    const int64_t cores = ParallelThreads();
    const int64_t perRow = int64_t{std::max(1, width)} *
                           static_cast<int64_t>(1 + Sources.size() * (1 + Barriers.size()));
    return cores * std::max<int64_t>(1, (int64_t{1} << 19) / perRow);
  }

  // Rows r0..r1-1 of the candidates (counted from their top).
  double Rows(double g, editor::TBitmap* out, uint32_t start, const std::vector<int64_t>& before,
              int64_t r0, int64_t r1) const {
    const editor::TRect& c = In.Selection.Candidates();
    TRandomGenerator rng{start};
    if (out) rng.Skip(3 * static_cast<uint64_t>(before[static_cast<size_t>(r0)]));
    std::vector<std::vector<const Barrier*>> near(Sources.size());
    double maximum = 0;
    const double scale = g * 0.001;
    for (int64_t r = r0; r < r1; ++r) {
      const int y = c.Top + static_cast<int>(r);
      NearBarriers(y, near);
      const uint8_t* s = In.Source.ScanLine(y);
      uint8_t* d = out ? out->ScanLine(y) : nullptr;
      for (int x = c.Left; x <= c.Right; ++x) {
        if (!In.Selection.SelectsAll() && !In.Selection.InSelection(x, y)) continue;
        const uint8_t* px = s + 3 * static_cast<size_t>(x);
        double a[3] = {0, 0, 0};
        Accumulate(x, y, px, near, a);
        for (double& v : a) v = scale * v;
        maximum = std::max(maximum, (a[0] + a[1] + a[2]) / 3);
        if (!d) continue;
        uint8_t* q = d + 3 * static_cast<size_t>(x);
        q[2] = ClampRound(a[0] + rng.Real());
        q[1] = ClampRound(a[1] + rng.Real());
        q[0] = ClampRound(a[2] + rng.Real());
      }
    }
    return maximum;
  }

  // Per source, the barriers whose rows overlap those between row y and the
  // source: no other barrier can cross a segment from a pixel of the row.
  void NearBarriers(int y, std::vector<std::vector<const Barrier*>>& near) const {
    for (size_t i = 0; i < Sources.size(); ++i) {
      near[i].clear();
      const int64_t lo = std::min<int64_t>(y, Sources[i].Y),
                    hi = std::max<int64_t>(y, Sources[i].Y);
      for (const Barrier& b : Barriers)
        if (b.MaxY >= lo && b.MinY <= hi) near[i].push_back(&b);
    }
  }

  void Accumulate(int x, int y, const uint8_t* px,
                  const std::vector<std::vector<const Barrier*>>& near, double a[3]) const {
    const double value[3] = {double(px[2]), double(px[1]), double(px[0])};
    for (size_t k = 0; k < Sources.size(); ++k) {
      const Source& s = Sources[k];
      const int64_t dx = x - s.X, dy = y - s.Y;
      const double d = std::sqrt(static_cast<double>(dx * dx + dy * dy));
      // Beyond its reach a source adds nothing, whatever its style.
      if (d > s.MaxDistance) continue;
      double t[3] = {1, 1, 1};
      const TSegmentEnd pixel{x, y}, centre{s.X, s.Y};
      const int64_t lo = std::min<int64_t>(x, s.X), hi = std::max<int64_t>(x, s.X);
      for (const Barrier* b : near[k]) {
        if (b->MaxX < lo || b->MinX > hi || !SegmentsIntersect(pixel, centre, b->A, b->B)) continue;
        for (int c = 0; c < 3; ++c) t[c] *= b->Keep[c];
      }
      const FallOff f = Evaluate(s, d);
      double i[3];
      for (int c = 0; c < 3; ++c) i[c] = f.Slope * s.P[c] + f.Offset;
      if (s.Average) i[0] = i[1] = i[2] = (i[0] + i[1] + i[2]) / 3;
      if (s.Dark)
        for (double& v : i) v = 1 - v;
      for (int c = 0; c < 3; ++c) a[c] += t[c] * i[c] * value[c] * s.Factor;
    }
  }
};

// For each row of the candidates, the number of selected pixels above it
// (one entry more for the total).
std::vector<int64_t> SelectedBefore(const EffectInput& in) {
  const editor::TRect& c = in.Selection.Candidates();
  const int64_t rows = std::max<int64_t>(0, int64_t{c.Bottom} - c.Top + 1);
  const int64_t width = std::max<int64_t>(0, int64_t{c.Right} - c.Left + 1);
  std::vector<int64_t> before(static_cast<size_t>(rows) + 1, 0);
  if (in.Selection.SelectsAll()) {
    for (int64_t r = 0; r <= rows; ++r) before[static_cast<size_t>(r)] = r * width;
    return before;
  }
  ParallelRanges(
      rows,
      [&](int64_t r0, int64_t r1) {
        for (int64_t r = r0; r < r1; ++r) {
          const int y = c.Top + static_cast<int>(r);
          int64_t n = 0;
          for (int x = c.Left; x <= c.Right; ++x) n += in.Selection.InSelection(x, y);
          before[static_cast<size_t>(r) + 1] = n;
        }
      },
      std::max<int64_t>(1, (1 << 16) / std::max<int64_t>(1, width)));
  for (size_t r = 1; r < before.size(); ++r) before[r] += before[r - 1];
  return before;
}

}  // namespace

bool SegmentsIntersect(TSegmentEnd a, TSegmentEnd b, TSegmentEnd c, TSegmentEnd d) {
  const int o1 = Orientation(a, b, c), o2 = Orientation(a, b, d);
  const int o3 = Orientation(c, d, a), o4 = Orientation(c, d, b);
  if (o1 != o2 && o3 != o4) return true;
  // Collinear ends: they meet when one end lies on the other segment.
  return (o1 == 0 && WithinBox(a, b, c)) || (o2 == 0 && WithinBox(a, b, d)) ||
         (o3 == 0 && WithinBox(c, d, a)) || (o4 == 0 && WithinBox(c, d, b));
}

editor::TBitmap LightAndDarkness(const EffectInput& in, const LightAndDarknessParams& p,
                                 uint32_t seed) {
  TRandomGenerator& rng = Rng();
  rng.Seed(seed);
  editor::TBitmap out = in.Source;
  const editor::TRect& c = in.Selection.Candidates();
  if (c.Right < c.Left || c.Bottom < c.Top) return out;
  const Lighting lighting(in, p);
  const std::vector<int64_t> before = SelectedBefore(in);
  const uint64_t draws = 3 * static_cast<uint64_t>(before.back());
  double g = p.GlobalFactor;
  if (p.Normalize) {
    // The first pass dithers too; only its brightest average is kept.
    const double maximum = lighting.Pass(g, nullptr, rng.State, before);
    rng.Skip(draws);
    // An all-black first pass has nothing to scale.
    if (maximum > 0) g = static_cast<double>(Round(255 / maximum * g));
  }
  lighting.Pass(g, &out, rng.State, before);
  rng.Skip(draws);
  return out;
}

}  // namespace lumarte::effects
