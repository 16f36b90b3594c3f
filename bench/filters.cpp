// Neighbourhood filters on 12 megapixels: in-process throughput of Simple
// Sharpen and the moving average of width 8, and whole-process pairs
// against ImageMagick.
//
// ImageMagick's -convolve divides a kernel by its sum, and convolve:scale
// scales after that, so the kernel is given already scaled by 0.25 (sum 1):
// the same arithmetic as Simple Sharpen's taps with scale 0.25.
// The disc of radius 8 has a per-axis standard deviation of r/2 = 4, so the
// moving average meets -blur 8x4 (radius 8, sigma 4).
#include <benchmark/benchmark.h>

#include <algorithm>

#include "BenchImage.h"
#include "WholeProcess.h"
#include "effects/model/EffectTable.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

void RunEffect(benchmark::State& state, const char* name, std::map<std::string, double> values) {
  const TBitmap& src = lumarte::bench::PhotoRaster();
  TSelectionClass nothing;
  TSelectionTest all(nothing, src, {});
  lumarte::NullProgress progress;
  const EffectRow& row = *FindEffect(name);
  for (auto _ : state)
    benchmark::DoNotOptimize(row.Run(EffectInput{src, all, progress}, ParamValues(values), 1));
  state.counters["MP/s"] =
      benchmark::Counter(src.Width() * src.Height() / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_SimpleSharpenModel(benchmark::State& state) {
  RunEffect(state, "simple-sharpen", {});
}
BENCHMARK(BM_SimpleSharpenModel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MovingAverage8Model(benchmark::State& state) {
  RunEffect(state, "moving-average-unsharpen-and-edge-detection", {{"width", 8}});
}
BENCHMARK(BM_MovingAverage8Model)->Unit(benchmark::kMillisecond)->UseRealTime();

const bool kRegistered =
    (lumarte::bench::RegisterWholeProcessPair("SimpleSharpen", {"simple-sharpen"},
                                              {"-convolve", "0,-0.25,0,-0.25,2,-0.25,0,-0.25,0"}),
     lumarte::bench::RegisterWholeProcessPair(
         "MovingAverage8", {"moving-average-unsharpen-and-edge-detection", "width=8"},
         {"-blur", "8x4"}),
     true);

}  // namespace
