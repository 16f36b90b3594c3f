// Geometric transforms: the shared nearest-neighbour resampling in process
// (megapixels of output per second), and whole-process runs beside
// ImageMagick's -sample (the same sampling) and -rotate.
#include <benchmark/benchmark.h>

#include "BenchImage.h"
#include "WholeProcess.h"
#include "editor/model/Resample.h"
#include "effects/model/Transforms.h"

namespace {

using lumarte::editor::TBitmap;

const TBitmap& Photo() {
  return lumarte::bench::PhotoRaster();
}

void BM_ResampleNearest(benchmark::State& state) {
  const TBitmap& src = Photo();
  const int w = static_cast<int>(src.Width() * state.range(0) / 100);
  const int h = static_cast<int>(src.Height() * state.range(0) / 100);
  for (auto _ : state) {
    TBitmap out = lumarte::editor::ResampleNearest(src, w, h);
    benchmark::DoNotOptimize(out.ScanLine(0));
  }
  state.counters["MP/s"] = benchmark::Counter(static_cast<double>(w) * h / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ResampleNearest)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

// The effects on the whole image (nothing selected), megapixels of input
// per second.
template <class F>
void RunEffect(benchmark::State& state, const TBitmap& src, F effect) {
  lumarte::editor::TSelectionClass nothing;
  const lumarte::editor::TSelectionTest test(nothing, src, {});
  lumarte::NullProgress progress;
  const lumarte::effects::EffectInput in{src, test, progress};
  for (auto _ : state) {
    TBitmap out = effect(in);
    benchmark::DoNotOptimize(out.ScanLine(0));
  }
  state.counters["MP/s"] = benchmark::Counter(static_cast<double>(src.Width()) * src.Height() / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Rotate30(benchmark::State& state) {
  RunEffect(state, Photo(), [](const lumarte::effects::EffectInput& in) {
    return lumarte::effects::Rotate(in, {30, true, true});
  });
}
BENCHMARK(BM_Rotate30)->Unit(benchmark::kMillisecond);

// One megapixel: the sweep casts (width + height)·16 rays.
void BM_PinchPunch(benchmark::State& state) {
  static const TBitmap square = lumarte::editor::ResampleNearest(Photo(), 1000, 1000);
  RunEffect(state, square, [](const lumarte::effects::EffectInput& in) {
    return lumarte::effects::PinchPunch(in, {100, lumarte::effects::PinchMethod::Square});
  });
}
BENCHMARK(BM_PinchPunch)->Unit(benchmark::kMillisecond);

const bool kRegistered = [] {
  using lumarte::bench::RegisterWholeProcessPair;
  RegisterWholeProcessPair("Resize50", {"resize", "widthpercent=50", "heightpercent=50"},
                           {"-sample", "50%"});
  RegisterWholeProcessPair("Resize200", {"resize", "widthpercent=200", "heightpercent=200"},
                           {"-sample", "200%"});
  // Both grow the canvas to hold the turned image.
  RegisterWholeProcessPair("Rotate30",
                           {"rotate", "angle=30", "overwrite-unselected-and-resize-if-necessary=1"},
                           {"-rotate", "30"});
  return true;
}();

}  // namespace
