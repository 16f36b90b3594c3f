// Negative, vertical flip (mirror left to right) and a quarter turn to the
// right: whole process against ImageMagick on a 12-megapixel PPM, and the
// model functions alone in megapixels per second.
#include <benchmark/benchmark.h>

#include "WholeProcess.h"
#include "editor/model/SelectionTest.h"
#include "effects/model/PixelOps.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

constexpr int kW = 4000, kH = 3000;

const bool kRegistered =
    (lumarte::bench::RegisterWholeProcessPair("NegativeImage", {"negative-image"}, {"-negate"}),
     lumarte::bench::RegisterWholeProcessPair("FlipVertical", {"flip-vertical"}, {"-flop"}),
     lumarte::bench::RegisterWholeProcessPair("RotateRight", {"rotate-all-90-right"},
                                              {"-rotate", "90"}),
     true);

const TBitmap& Image() {
  static const TBitmap image = [] {
    TBitmap b(kW, kH);
    uint32_t s = 3;
    for (int y = 0; y < kH; ++y) {
      uint8_t* row = b.ScanLine(y);
      for (int i = 0; i < kW * 3; ++i)
        row[i] = static_cast<uint8_t>((s = s * 134775813u + 1) >> 24);
    }
    return b;
  }();
  return image;
}

template <TBitmap (*Command)(const EffectInput&)>
void BM_Model(benchmark::State& state) {
  TSelectionClass nothing;
  const TSelectionTest test(nothing, Image(), TSelectByColor{});
  NullProgress progress;
  const EffectInput in{Image(), test, progress};
  for (auto _ : state) benchmark::DoNotOptimize(Command(in));
  state.counters["MP/s"] =
      benchmark::Counter(kW * kH / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_Model<NegativeImage>)->Name("BM_NegativeImage/model")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Model<FlipVertical>)->Name("BM_FlipVertical/model")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Model<RotateRight>)->Name("BM_RotateRight/model")->Unit(benchmark::kMillisecond);
