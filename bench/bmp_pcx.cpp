// Reading and writing a 12-megapixel 24-bit BMP and PCX through the registry,
// in memory, beside a plain memcpy of the BMP's bytes (the physical limit).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/RevedBitmap.h"

using namespace lumarte::imaging;

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

// A photo-like picture: smooth gradients with a little noise, so that PCX
// runs are short as they are in photographs.
const TRevedBitmap& Picture() {
  static const TRevedBitmap picture = [] {
    TRevedBitmap b;
    b.New(kWidth, kHeight, pf24bit);
    uint32_t s = 1;
    for (int y = 0; y < kHeight; ++y) {
      uint8_t* row = b.ScanLine(y);
      for (int x = 0; x < kWidth; ++x) {
        s = s * 134775813u + 1;
        int noise = static_cast<int>(s >> 30);
        row[3 * x] = static_cast<uint8_t>(x / 16 + noise);
        row[3 * x + 1] = static_cast<uint8_t>(y / 12 + noise);
        row[3 * x + 2] = static_cast<uint8_t>((x + y) / 28 + noise);
      }
    }
    return b;
  }();
  return picture;
}

const std::string& Encoded(const char* ext) {
  static std::string bmp, pcx;
  std::string& file = std::strcmp(ext, "bmp") == 0 ? bmp : pcx;
  if (file.empty()) {
    TMemoryStream out;
    TRevedBitmap copy(Picture());
    copy.SaveToStream(out, ext);
    file = out.Data;
  }
  return file;
}

void Read(benchmark::State& state, const char* ext) {
  TMemoryStream in;
  in.Data = Encoded(ext);
  TRevedBitmap image;
  for (auto _ : state) {
    in.Seek(0);
    image.LoadFromStream(in, ext);
    benchmark::DoNotOptimize(image.Map.get());
  }
  state.SetBytesProcessed(state.iterations() * int64_t{Picture().Size});
}

void Write(benchmark::State& state, const char* ext) {
  TRevedBitmap image(Picture());
  TMemoryStream out;
  for (auto _ : state) {
    out.Seek(0);
    out.Truncate();
    image.SaveToStream(out, ext);
    benchmark::DoNotOptimize(out.Data.data());
  }
  state.SetBytesProcessed(state.iterations() * int64_t{Picture().Size});
}

void BM_BmpRead_lumarte(benchmark::State& state) {
  Read(state, "bmp");
}
void BM_BmpWrite_lumarte(benchmark::State& state) {
  Write(state, "bmp");
}
void BM_PcxRead_lumarte(benchmark::State& state) {
  Read(state, "pcx");
}
void BM_PcxWrite_lumarte(benchmark::State& state) {
  Write(state, "pcx");
}

void BM_BmpRead_memcpy(benchmark::State& state) {
  const std::string& file = Encoded("bmp");
  std::vector<uint8_t> target(file.size());
  for (auto _ : state) {
    std::memcpy(target.data(), file.data(), file.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{Picture().Size});
}

}  // namespace

BENCHMARK(BM_BmpRead_lumarte)->Name("BM_BmpRead/lumarte")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpRead_memcpy)->Name("BM_BmpRead/memcpy")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpWrite_lumarte)->Name("BM_BmpWrite/lumarte")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxRead_lumarte)->Name("BM_PcxRead/lumarte")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxWrite_lumarte)->Name("BM_PcxWrite/lumarte")->Unit(benchmark::kMillisecond);
