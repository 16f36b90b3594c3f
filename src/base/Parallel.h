#pragma once
// Splits independent work over the machine's cores. Callers make sure the
// parts are truly independent, so the result never depends on the split.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <thread>
#include <vector>

namespace lumarte {

// The most threads parallel work uses; 0 for every core (benchmarks set 1).
inline std::atomic<int>& ParallelThreadLimit() {
  static std::atomic<int> limit{0};
  return limit;
}

// The number of threads parallel work runs on.
inline int64_t ParallelThreads() {
  const int64_t cores = std::max(1u, std::thread::hardware_concurrency());
  const int limit = ParallelThreadLimit();
  return limit > 0 ? std::min<int64_t>(cores, limit) : cores;
}

// Calls work(begin, end) for consecutive ranges covering 0..count, each
// range on a thread of its own; small counts stay on the calling thread.
// Every thread is joined before the first exception a part raised goes on.
template <class F>
void ParallelRanges(int64_t count, F&& work, int64_t minPerThread = 1 << 16) {
  const int64_t cores = ParallelThreads();
  const int64_t parts = std::clamp<int64_t>(count / std::max<int64_t>(1, minPerThread), 1, cores);
  if (parts == 1) {
    work(int64_t{0}, count);
    return;
  }
  std::vector<std::exception_ptr> errors(static_cast<size_t>(parts));
  auto part = [&](int64_t p) {
    try {
      work(count * p / parts, count * (p + 1) / parts);
    } catch (...) {
      errors[static_cast<size_t>(p)] = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  for (int64_t p = 1; p < parts; ++p) threads.emplace_back(part, p);
  part(0);
  for (auto& t : threads) t.join();
  for (auto& e : errors)
    if (e) std::rethrow_exception(e);
}

// Long work over 0..count in bands of `band` items: before each band,
// between(bandBegin) runs on the calling thread (progress, Abort), then the
// band is spread over the cores as work(begin, end) with absolute indices.
template <class B, class F>
void ParallelBands(int64_t count, int64_t band, B&& between, F&& work) {
  band = std::max<int64_t>(1, band);
  for (int64_t b0 = 0; b0 < count; b0 += band) {
    between(b0);
    ParallelRanges(
        std::min(band, count - b0), [&](int64_t b, int64_t e) { work(b0 + b, b0 + e); }, 1);
  }
}

}  // namespace lumarte
