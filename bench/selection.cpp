// InSelection over a 12-megapixel image, the loop every effect runs, for a
// polygon, a rectangle and a circle selection; a plain bounds test is the
// floor. Reported in nanoseconds per pixel.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "editor/model/SelectionTest.h"

using namespace lumarte::editor;

namespace {

constexpr int kW = 4000, kH = 3000;

const TBitmap& Image() {
  static const TBitmap image = [] {
    TBitmap b(kW, kH);
    uint32_t s = 1;
    for (int y = 0; y < kH; ++y) {
      uint8_t* row = b.ScanLine(y);
      for (int i = 0; i < kW * 3; ++i)
        row[i] = static_cast<uint8_t>((s = s * 134775813u + 1) >> 24);
    }
    return b;
  }();
  return image;
}

// A 24-pointed star filling most of the image.
TSelectionClass Star() {
  TSelectionClass s;
  s.Kind = SelKind::Polygon;
  s.X1 = s.Y1 = 0;
  for (int i = 0; i < 48; ++i) {
    double a = i * std::numbers::pi / 24, r = i % 2 ? 0.45 : 0.2;
    s.Polygon.AddPoint(static_cast<int>(kW / 2 + r * kH * std::sin(a)),
                       static_cast<int>(kH / 2 + r * kH * std::cos(a)));
  }
  return s;
}

void SetCounters(benchmark::State& state, int64_t selected) {
  state.counters["ns_per_pixel"] = benchmark::Counter(
      double(kW) * kH, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["selected"] = double(selected);
}

template <class Test>
int64_t CountSelected(const Test& test) {
  int64_t n = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) n += test(x, y);
  return n;
}

void RunSelection(benchmark::State& state, TSelectionClass sel, bool byColour = false) {
  sel.ByColor = byColour;
  TSelectionTest test(sel, Image(), {128, 128, 128, 100});
  int64_t n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(n = CountSelected(test));
  SetCounters(state, n);
}

void BM_InSelection_lumarte(benchmark::State& state) {
  RunSelection(state, Star());
}

void BM_InSelection_bounds(benchmark::State& state) {
  TSelectionClass star = Star();
  const TRect b = GetSelectionBounds(star, kW, kH);
  auto inBounds = [b](int x, int y) {
    return x >= b.Left && x <= b.Right && y >= b.Top && y <= b.Bottom;
  };
  int64_t n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(n = CountSelected(inBounds));
  SetCounters(state, n);
}

void BM_InSelectionRectangle_lumarte(benchmark::State& state) {
  TSelectionClass s;
  s.X1 = 500, s.Y1 = 400, s.X2 = 3500, s.Y2 = 2600;
  RunSelection(state, s);
}

void BM_InSelectionCircle_lumarte(benchmark::State& state) {
  TSelectionClass s;
  s.Kind = SelKind::Circle;
  s.X1 = kW / 2, s.Y1 = kH / 2, s.X2 = s.Y2 = 1400;
  RunSelection(state, s);
}

void BM_InSelectionByColour_lumarte(benchmark::State& state) {
  RunSelection(state, Star(), true);
}

// Building the mask is paid once per selection change.
void BM_PolygonMask_lumarte(benchmark::State& state) {
  TSelectionClass s = Star();
  for (auto _ : state) s.Polygon.BuildMask(kW, kH);
  SetCounters(state, 0);
}

}  // namespace

BENCHMARK(BM_InSelection_lumarte)->Name("BM_InSelection/lumarte")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InSelection_bounds)->Name("BM_InSelection/bounds")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InSelectionRectangle_lumarte)
    ->Name("BM_InSelectionRectangle/lumarte")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InSelectionCircle_lumarte)
    ->Name("BM_InSelectionCircle/lumarte")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InSelectionByColour_lumarte)
    ->Name("BM_InSelectionByColour/lumarte")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PolygonMask_lumarte)->Name("BM_PolygonMask/lumarte")->Unit(benchmark::kMillisecond);
