// Light and darkness on the 12-megapixel picture: three sources (linear,
// sigmoid and a darkness with sine fall-off) and two barriers, megapixels
// per second on one core and on all of them.
#include <benchmark/benchmark.h>

#include "BenchImage.h"
#include "base/Parallel.h"
#include "effects/model/Lighting.h"

namespace {

using namespace lumarte::effects;

void BM_LightAndDarkness(benchmark::State& state) {
  const lumarte::editor::TBitmap& src = lumarte::bench::PhotoRaster();
  lumarte::editor::TSelectionClass nothing;
  const lumarte::editor::TSelectionTest test(nothing, src, {});
  lumarte::NullProgress progress;
  const EffectInput in{src, test, progress};
  LightAndDarknessParams p;
  p.Lights = {ParseLight("0,1000,800,3000,-1,0,1000,100,90,80"),
              ParseLight("2,3200,2200,2500,-1,3,1200,100,100,100"),
              ParseLight("1,2000,1500,1800,2500,4,800,100,100,100")};
  p.Barriers = {ParseBarrier("1500,200,1700,2800,80,40,10"),
                ParseBarrier("300,2600,3800,2400,100,100,100")};
  lumarte::ParallelThreadLimit() = static_cast<int>(state.range(0));
  for (auto _ : state) {
    lumarte::editor::TBitmap out = LightAndDarkness(in, p, 1);
    benchmark::DoNotOptimize(out.ScanLine(0));
  }
  lumarte::ParallelThreadLimit() = 0;
  state.counters["MP/s"] = benchmark::Counter(static_cast<double>(src.Width()) * src.Height() / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
}
// 1: one core; 0: all of them.
BENCHMARK(BM_LightAndDarkness)
    ->ArgName("cores")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
