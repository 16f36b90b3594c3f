#pragma once
// Splits independent work over the machine's cores. Callers make sure the
// parts are truly independent, so the result never depends on the split.
#include <algorithm>
#include <cstdint>
#include <exception>
#include <thread>
#include <vector>

namespace lumarte {

// How many parts work is split into at most: the machine's cores unless a
// test or benchmark sets a count (0 gives the machine's back).
inline int64_t& ParallelCoresSetting() {
  static int64_t cores = 0;
  return cores;
}
inline int64_t ParallelCores() {
  if (ParallelCoresSetting() > 0) return ParallelCoresSetting();
  return std::max(1u, std::thread::hardware_concurrency());
}

// Calls work(begin, end) for consecutive ranges covering 0..count, each
// range on a thread of its own; small counts stay on the calling thread.
// Every thread is joined before the first exception a part raised goes on.
template <class F>
void ParallelRanges(int64_t count, F&& work, int64_t minPerThread = 1 << 16) {
  const int64_t cores = ParallelCores();
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

}  // namespace lumarte
