// CRC-32 and buffered-stream throughput beside zlib's crc32 and a plain copy.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <string>

#include "imaging/BufStream.h"
#include "imaging/CRC32Stream.h"

using namespace lumarte::imaging;

namespace {

const std::string& Data() {
  static const std::string data = [] {
    std::string d(16 << 20, 0);
    uint32_t s = 1;
    for (auto& c : d) c = static_cast<char>((s = s * 134775813u + 1) >> 24);
    return d;
  }();
  return data;
}

void BM_Crc32_lumarte(benchmark::State& state) {
  const auto& d = Data();
  for (auto _ : state) benchmark::DoNotOptimize(CRC32(d.data(), d.size()));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(d.size()));
}

void BM_Crc32_zlib(benchmark::State& state) {
  const auto& d = Data();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        crc32(0, reinterpret_cast<const Bytef*>(d.data()), static_cast<uInt>(d.size())));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(d.size()));
}

// Reading in small pieces is what decoders do; the buffer must make it cheap.
void BM_BufferedRead_lumarte(benchmark::State& state) {
  const auto& d = Data();
  TMemoryStream src(d.data(), d.size());
  char piece[64];
  for (auto _ : state) {
    src.Seek(0);
    TBufferedStream buf(-1, &src, 0);
    for (size_t i = 0; i < d.size(); i += sizeof piece) buf.Read(piece, sizeof piece);
    benchmark::DoNotOptimize(piece);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(d.size()));
}

void BM_BufferedRead_memcpy(benchmark::State& state) {
  const auto& d = Data();
  char piece[64];
  for (auto _ : state) {
    for (size_t i = 0; i < d.size(); i += sizeof piece) {
      std::memcpy(piece, d.data() + i, sizeof piece);
      benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(piece);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(d.size()));
}

}  // namespace

BENCHMARK(BM_Crc32_lumarte)->Name("BM_Crc32/lumarte");
BENCHMARK(BM_Crc32_zlib)->Name("BM_Crc32/zlib");
BENCHMARK(BM_BufferedRead_lumarte)->Name("BM_BufferedRead/lumarte");
BENCHMARK(BM_BufferedRead_memcpy)->Name("BM_BufferedRead/memcpy");
