#pragma once
// Many small independent tasks shared by one worker per core: each worker
// takes the next task as it gets free, so uneven tasks still keep every core
// busy. Worker 0 runs on the calling thread and calls poll() before each of
// its tasks, and once more when all are done (the other workers may have
// taken every task); poll may throw (an Abort) and the other workers then
// stop at their next task.
#include <atomic>
#include <cstdint>

#include "base/Parallel.h"

namespace lumarte {

// work(task, worker) for every task 0..count-1; worker < ParallelThreads().
template <class Work, class Poll>
void ParallelTasks(int64_t count, Work&& work, Poll&& poll) {
  std::atomic<int64_t> next{0};
  std::atomic<bool> stop{false};
  const int64_t workers = std::min<int64_t>(ParallelThreads(), std::max<int64_t>(count, 1));
  ParallelRanges(
      workers,
      [&](int64_t first, int64_t end) {
        for (int64_t worker = first; worker < end; ++worker) {
          try {
            for (int64_t t; !stop && (t = next++) < count;) {
              if (worker == 0) poll();
              work(t, static_cast<int>(worker));
            }
          } catch (...) {
            stop = true;
            throw;
          }
        }
      },
      1);
  poll();
}

}  // namespace lumarte
