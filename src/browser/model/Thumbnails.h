#pragma once
// Thumbnails of image files, made on worker threads so that the window
// stays responsive while a large folder loads.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "editor/model/Bitmap.h"

namespace lumarte::browser {

// The picture of a file fitted into a cell of cellWidth × cellHeight and
// stretched to exactly that fitted size. JPEGs are decoded at the smallest
// DCT scale that still covers the fitted size; other files go through the
// editor's loader. A file that does not load gives an empty raster.
editor::TBitmap MakeThumbnail(const std::string& path, int cellWidth, int cellHeight);

struct TThumbnailJob {
  int Index = 0;
  std::string Path;
};

// Works through a queue of thumbnail jobs in order. Starting a new queue
// drops what the old one had not begun (a scroll or a folder change), so
// only what is shown gets decoded.
class TThumbnailWorker {
 public:
  // Called on a worker thread for every finished job of a generation.
  using TFinished = std::function<void(uint64_t generation, const TThumbnailJob& job,
                                       std::shared_ptr<const editor::TBitmap> picture)>;
  TThumbnailWorker(int threads, TFinished finished);
  ~TThumbnailWorker();
  TThumbnailWorker(const TThumbnailWorker&) = delete;
  TThumbnailWorker& operator=(const TThumbnailWorker&) = delete;

  // Replaces the queue; gives the generation the results will carry.
  uint64_t Start(std::vector<TThumbnailJob> jobs, int cellWidth, int cellHeight);
  // Drops the queue; results of jobs already running are still reported
  // with their old generation. Gives the new generation.
  uint64_t Cancel();
  // Waits until no job is queued or running (for tests and benchmarks).
  void Wait();

 private:
  void Run();
  TFinished Finished;
  std::mutex Lock;
  std::condition_variable Wake, Idle;
  std::deque<TThumbnailJob> Queue;
  uint64_t Generation = 0;
  int CellWidth = 0, CellHeight = 0;
  int Running = 0;
  bool Quit = false;
  std::vector<std::thread> Threads;
};

// Worker threads for the thumbnails: the cores less one for the window.
int ThumbnailThreads();

}  // namespace lumarte::browser
