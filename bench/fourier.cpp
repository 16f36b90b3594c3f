// The Fourier transform beside FFTW: one 4096 x 4096 channel forward and back.
// Ours takes the real channel through its half spectrum (what the filter
// does); FFTW runs its complex two-dimensional transform of the same size on
// one thread, planned with FFTW_ESTIMATE and with FFTW_MEASURE. Then the
// whole Fourier low pass and a 3-iteration hat wavelet on 12 megapixels.
// The argument is the thread count (0: every core).
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cstring>

#include "BenchImage.h"
#include "base/Parallel.h"
#include "effects/model/EffectTable.h"
#include "effects/model/Fourier.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

constexpr unsigned kSize = 4096;

// One channel of the 12-megapixel picture, zero padded to 4096 x 4096.
const std::vector<double>& Channel() {
  static const std::vector<double> channel = [] {
    const TBitmap& src = lumarte::bench::PhotoRaster();
    std::vector<double> c(size_t{kSize} * kSize, 0.0);
    for (int y = 0; y < src.Height(); ++y)
      for (int x = 0; x < src.Width(); ++x) c[size_t(y) * kSize + x] = src.ScanLine(y)[3 * x];
    return c;
  }();
  return channel;
}

void SetThreads(benchmark::State& state) {
  lumarte::ParallelThreadLimit() = static_cast<int>(state.range(0));
}

void BM_Fourier2DOurs(benchmark::State& state) {
  SetThreads(state);
  const std::vector<double>& channel = Channel();
  TRealSpectrum2D spectrum(kSize, kSize);
  std::vector<double> back(size_t{kSize} * kSize);
  for (auto _ : state) {
    spectrum.Forward(
        [&](unsigned x0, unsigned count, double* block, size_t stride) {
          for (size_t y = 0; y < kSize; ++y)
            std::memcpy(&block[y * stride], &channel[y * kSize + x0], count * sizeof(double));
        },
        kSize, [] {});
    spectrum.InverseUnscaled(
        [&](unsigned x0, unsigned count, const double* block, size_t stride) {
          for (size_t y = 0; y < kSize; ++y)
            std::memcpy(&back[y * kSize + x0], &block[y * stride], count * sizeof(double));
        },
        kSize, [] {});
    benchmark::DoNotOptimize(back.data());
  }
  lumarte::ParallelThreadLimit() = 0;
}
BENCHMARK(BM_Fourier2DOurs)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void Fftw(benchmark::State& state, unsigned flags) {
  auto* data = static_cast<fftw_complex*>(fftw_malloc(sizeof(fftw_complex) * kSize * kSize));
  fftw_plan forward = fftw_plan_dft_2d(kSize, kSize, data, data, FFTW_FORWARD, flags);
  fftw_plan backward = fftw_plan_dft_2d(kSize, kSize, data, data, FFTW_BACKWARD, flags);
  // Planning with FFTW_MEASURE overwrites the data: fill it afterwards.
  const std::vector<double>& channel = Channel();
  for (size_t i = 0; i < channel.size(); ++i) data[i][0] = channel[i], data[i][1] = 0;
  for (auto _ : state) {
    fftw_execute(forward);
    fftw_execute(backward);
    benchmark::DoNotOptimize(data);
  }
  fftw_destroy_plan(forward);
  fftw_destroy_plan(backward);
  fftw_free(data);
}

void BM_Fourier2DFftwEstimate(benchmark::State& state) {
  Fftw(state, FFTW_ESTIMATE);
}
BENCHMARK(BM_Fourier2DFftwEstimate)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Fourier2DFftwMeasure(benchmark::State& state) {
  Fftw(state, FFTW_MEASURE);
}
BENCHMARK(BM_Fourier2DFftwMeasure)->Unit(benchmark::kMillisecond)->UseRealTime();

void RunWhole(benchmark::State& state, const char* name, std::map<std::string, double> values) {
  SetThreads(state);
  const TBitmap& src = lumarte::bench::PhotoRaster();
  TSelectionClass nothing;
  TSelectionTest all(nothing, src, {});
  lumarte::NullProgress progress;
  const EffectRow& row = *FindEffect(name);
  for (auto _ : state)
    benchmark::DoNotOptimize(row.Run(EffectInput{src, all, progress}, ParamValues(values), 1));
  lumarte::ParallelThreadLimit() = 0;
}

void BM_FourierLowPass12MP(benchmark::State& state) {
  RunWhole(state, "fourier-transform", {});
}
BENCHMARK(BM_FourierLowPass12MP)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HatWavelet3Iterations12MP(benchmark::State& state) {
  RunWhole(state, "wavelet-transform", {{"iterations", 3}});
}
BENCHMARK(BM_HatWavelet3Iterations12MP)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
