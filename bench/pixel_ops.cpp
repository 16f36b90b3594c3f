// Negative, vertical flip (mirror left to right) and a quarter turn to the
// right: whole process against ImageMagick on a 12-megapixel PPM, and the
// model functions alone in megapixels per second.
#include <benchmark/benchmark.h>

#include "BenchImage.h"
#include "WholeProcess.h"
#include "editor/model/SelectionTest.h"
#include "effects/model/PixelOps.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

const bool kRegistered =
    (lumarte::bench::RegisterWholeProcessPair("NegativeImage", {"negative-image"}, {"-negate"}),
     lumarte::bench::RegisterWholeProcessPair("FlipVertical", {"flip-vertical"}, {"-flop"}),
     lumarte::bench::RegisterWholeProcessPair("RotateRight", {"rotate-all-90-right"},
                                              {"-rotate", "90"}),
     true);

template <TBitmap (*Command)(const EffectInput&)>
void BM_Model(benchmark::State& state) {
  const TBitmap& image = lumarte::bench::PhotoRaster();
  TSelectionClass nothing;
  const TSelectionTest test(nothing, image, TSelectByColor{});
  lumarte::NullProgress progress;
  const EffectInput in{image, test, progress};
  for (auto _ : state) {
    TBitmap out = Command(in);
    benchmark::DoNotOptimize(out.ScanLine(0));
  }
  state.counters["MP_per_s"] = benchmark::Counter(image.Width() * image.Height() / 1e6,
                                                  benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_Model<NegativeImage>)->Name("BM_NegativeImage/model")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Model<FlipLeftRight>)->Name("BM_FlipVertical/model")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Model<RotateRight>)->Name("BM_RotateRight/model")->Unit(benchmark::kMillisecond);
