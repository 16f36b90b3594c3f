// Negative, vertical flip (mirror left to right) and a quarter turn to the
// right on the 12-megapixel picture: whole process against ImageMagick on a
// PPM; in process the model functions (one thread and all cores) beside a
// memcpy of the same buffer and plain loops doing the same work; and the
// PPM reader and writer in gigabytes a second.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchImage.h"
#include "WholeProcess.h"
#include "base/Parallel.h"
#include "editor/model/RasterConversion.h"
#include "editor/model/SelectionTest.h"
#include "effects/model/PixelOps.h"
#include "imaging/PNMCodec.h"
#include "imaging/Streams.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

const bool kRegistered =
    (lumarte::bench::RegisterWholeProcessPair("NegativeImage", {"negative-image"}, {"-negate"}),
     lumarte::bench::RegisterWholeProcessPair("FlipVertical", {"flip-vertical"}, {"-flop"}),
     lumarte::bench::RegisterWholeProcessPair("RotateRight", {"rotate-all-90-right"},
                                              {"-rotate", "90"}),
     true);

void CountPixels(benchmark::State& state, const TBitmap& image) {
  state.counters["MP_per_s"] = benchmark::Counter(image.Width() * image.Height() / 1e6,
                                                  benchmark::Counter::kIsIterationInvariantRate);
}

// Argument: the most threads (0 for every core).
template <TBitmap (*Command)(const EffectInput&)>
void BM_Model(benchmark::State& state) {
  const TBitmap& image = lumarte::bench::PhotoRaster();
  TSelectionClass nothing;
  const TSelectionTest test(nothing, image, TSelectByColor{});
  lumarte::NullProgress progress;
  const EffectInput in{image, test, progress};
  lumarte::ParallelThreadLimit() = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TBitmap out = Command(in);
    benchmark::DoNotOptimize(out.ScanLine(0));
  }
  lumarte::ParallelThreadLimit() = 0;
  CountPixels(state, image);
}

// The reference loops write into a fresh buffer each time, as the model does;
// the out buffer of a quarter turn is h wide and w high.
template <void (*Loop)(const TBitmap&, TBitmap&), bool Turned = false>
void BM_Reference(benchmark::State& state) {
  const TBitmap& image = lumarte::bench::PhotoRaster();
  const int w = Turned ? image.Height() : image.Width();
  const int h = Turned ? image.Width() : image.Height();
  for (auto _ : state) {
    TBitmap out = TBitmap::ForOverwrite(w, h);
    Loop(image, out);
    benchmark::DoNotOptimize(out.ScanLine(0));
  }
  CountPixels(state, image);
}

size_t Bytes(const TBitmap& b) {
  return static_cast<size_t>(b.Width()) * b.Height() * 3;
}

void Memcpy(const TBitmap& in, TBitmap& out) {
  std::memcpy(out.ScanLine(0), in.ScanLine(0), Bytes(in));
}

void NegateBytes(const TBitmap& in, TBitmap& out) {
  const uint8_t* s = in.ScanLine(0);
  uint8_t* d = out.ScanLine(0);
  for (size_t i = 0, n = Bytes(in); i < n; ++i) d[i] = static_cast<uint8_t>(~s[i]);
}

void NegateWords(const TBitmap& in, TBitmap& out) {
  const uint8_t* s = in.ScanLine(0);
  uint8_t* d = out.ScanLine(0);
  const size_t n = Bytes(in);
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t w;
    std::memcpy(&w, s + i, 8);
    w = ~w;
    std::memcpy(d + i, &w, 8);
  }
  for (; i < n; ++i) d[i] = static_cast<uint8_t>(~s[i]);
}

void MirrorRows(const TBitmap& in, TBitmap& out) {
  const int w = in.Width();
  for (int y = 0; y < in.Height(); ++y) {
    const uint8_t* s = in.ScanLine(y);
    uint8_t* d = out.ScanLine(y) + 3 * (w - 1);
    for (int x = 0; x < w; ++x, d -= 3) std::memcpy(d, s + 3 * x, 3);
  }
}

// A quarter turn to the right, 64 × 64 pixel tiles so that both the rows read
// and the columns written stay in the cache.
void TurnTiled(const TBitmap& in, TBitmap& out) {
  constexpr int kTile = 64;
  const int w = in.Width(), h = in.Height();
  for (int ty = 0; ty < h; ty += kTile)
    for (int tx = 0; tx < w; tx += kTile)
      for (int y = ty; y < std::min(h, ty + kTile); ++y) {
        const uint8_t* s = in.ScanLine(y);
        for (int x = tx; x < std::min(w, tx + kTile); ++x)
          std::memcpy(out.ScanLine(x) + 3 * (h - 1 - y), s + 3 * x, 3);
      }
}

void TurnPlain(const TBitmap& in, TBitmap& out) {
  const int w = in.Width(), h = in.Height();
  for (int y = 0; y < h; ++y) {
    const uint8_t* s = in.ScanLine(y);
    for (int x = 0; x < w; ++x) std::memcpy(out.ScanLine(x) + 3 * (h - 1 - y), s + 3 * x, 3);
  }
}

const lumarte::imaging::TRevedBitmap& PhotoBuffer() {
  static const lumarte::imaging::TRevedBitmap buffer = [] {
    lumarte::imaging::TRevedBitmap b;
    AssignFromRaster(b, lumarte::bench::PhotoRaster());
    return b;
  }();
  return buffer;
}

void CountBytes(benchmark::State& state) {
  state.counters["GB_per_s"] =
      benchmark::Counter(Bytes(lumarte::bench::PhotoRaster()) / 1e9,
                         benchmark::Counter::kIsIterationInvariantRate);
}

void BM_PpmWrite(benchmark::State& state) {
  // One stream, written over: its growth is not the writer's cost.
  lumarte::imaging::TMemoryStream out;
  for (auto _ : state) {
    out.Seek(0);
    lumarte::imaging::WritePpm(out, PhotoBuffer());
    benchmark::DoNotOptimize(out.Size());
  }
  CountBytes(state);
}

void BM_PpmRead(benchmark::State& state) {
  lumarte::imaging::TMemoryStream file;
  lumarte::imaging::WritePpm(file, PhotoBuffer());
  for (auto _ : state) {
    file.Seek(0);
    lumarte::imaging::TRevedBitmap image;
    lumarte::imaging::ReadPnm(file, image);
    benchmark::DoNotOptimize(image.Map.get());
  }
  CountBytes(state);
}

}  // namespace

#define MODEL(F, NAME) \
  BENCHMARK(BM_Model<F>)->Name(NAME)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)
MODEL(NegativeImage, "BM_NegativeImage/model");
MODEL(FlipLeftRight, "BM_FlipVertical/model");
MODEL(RotateRight, "BM_RotateRight/model");
BENCHMARK(BM_Reference<Memcpy>)->Name("BM_Reference/memcpy")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reference<NegateBytes>)->Name("BM_Reference/negate_bytes")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reference<NegateWords>)->Name("BM_Reference/negate_64bit")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reference<MirrorRows>)->Name("BM_Reference/mirror_rows")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reference<TurnPlain, true>)->Name("BM_Reference/turn_plain")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reference<TurnTiled, true>)->Name("BM_Reference/turn_tiled")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PpmWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PpmRead)->Unit(benchmark::kMillisecond);
