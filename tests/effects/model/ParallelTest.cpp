#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "base/Parallel.h"

using namespace lumarte;

// The ranges cover every index once, however many threads run.
TEST(ParallelRanges, CoversEachIndexOnce) {
  for (int64_t count : {0, 1, 5, 1000}) {
    std::vector<std::atomic<int>> hits(static_cast<size_t>(count));
    ParallelRanges(
        count,
        [&](int64_t a, int64_t b) {
          for (int64_t i = a; i < b; ++i) ++hits[static_cast<size_t>(i)];
        },
        1);
    for (auto& h : hits) EXPECT_EQ(h.load(), 1) << count;
  }
}

// A failing part's exception reaches the caller after every thread ended.
TEST(ParallelRanges, ExceptionOfAnyPartReachesTheCaller) {
  for (int64_t failing : {0, 999}) {
    std::atomic<int> done = 0;
    EXPECT_THROW(ParallelRanges(
                     1000,
                     [&](int64_t a, int64_t b) {
                       if (failing >= a && failing < b) throw std::runtime_error("part");
                       ++done;
                     },
                     1),
                 std::runtime_error);
    EXPECT_EQ(done.load() + 1, static_cast<int>(std::min<unsigned>(
                                   1000, std::max(1u, std::thread::hardware_concurrency()))));
  }
}
