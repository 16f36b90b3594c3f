// The tone and colour adjustments on a 12-megapixel raster through the model
// (megapixels per second), and brightness and hue/saturation as whole
// processes against ImageMagick's -modulate on the same PPM.
#include <benchmark/benchmark.h>

#include <map>

#include "BenchImage.h"
#include "WholeProcess.h"
#include "effects/model/EffectTable.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

void RunEffect(benchmark::State& state, const char* effect, std::map<std::string, double> given) {
  const TBitmap& image = lumarte::bench::PhotoRaster();
  TSelectionClass nothing;
  const TSelectionTest all(nothing, image, TSelectByColor{});
  lumarte::NullProgress progress;
  const EffectRow& row = *FindEffect(effect);
  const ParamValues values(std::move(given));
  for (auto _ : state) {
    TBitmap out = row.Run(EffectInput{image, all, progress}, values, 1);
    benchmark::DoNotOptimize(out.ScanLine(0));
  }
  state.counters["MP_per_s"] = benchmark::Counter(image.Width() * image.Height() / 1e6,
                                                  benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Brightness(benchmark::State& s) {
  RunEffect(s, "adjust-brightness", {{"overall", 20}});
}
void BM_Contrast(benchmark::State& s) {
  RunEffect(s, "adjust-contrast", {{"contrast", 25}});
}
void BM_HueSaturation(benchmark::State& s) {
  RunEffect(s, "hue-and-saturaton", {{"hue", 40}, {"saturation", 30}});
}
void BM_Noise(benchmark::State& s) {
  RunEffect(s, "add-noise", {{"intensity", 30}});
}

BENCHMARK(BM_Brightness)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Contrast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HueSaturation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Noise)->Unit(benchmark::kMillisecond);

// -modulate takes brightness, saturation and hue in percent of the original.
const bool kRegistered = [] {
  lumarte::bench::RegisterWholeProcessPair(
      "ModulateBrightness", {"adjust-brightness", "overall=20"}, {"-modulate", "120,100,100"});
  lumarte::bench::RegisterWholeProcessPair("ModulateHueSaturation",
                                           {"hue-and-saturaton", "hue=40", "saturation=30"},
                                           {"-modulate", "100,130,140"});
  return true;
}();

}  // namespace
