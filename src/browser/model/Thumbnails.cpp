#include "browser/model/Thumbnails.h"

#include <algorithm>

#include "browser/model/BrowserGrid.h"
#include "editor/model/ImageFiles.h"
#include "editor/model/ImageFormats.h"
#include "editor/model/RasterConversion.h"
#include "editor/model/Resample.h"
#include "imaging/JPEGCodec.h"
#include "imaging/JPEGImage.h"
#include "imaging/Streams.h"

namespace lumarte::browser {

namespace {

editor::TBitmap JpegThumbnail(const std::string& path, int cellWidth, int cellHeight) {
  std::string data;
  {
    imaging::TFileStream file(path, imaging::fmRead);
    data = imaging::ReadRest(file);
  }
  TPlace fit;
  auto cover = [&](int w, int h) {
    fit = FitInCell(w, h, cellWidth, cellHeight);
    return std::pair<int, int>(fit.Width, fit.Height);
  };
  imaging::TRevedBitmap picture;
  imaging::DecodeJPEG(reinterpret_cast<const uint8_t*>(data.data()), data.size(), picture,
                      int64_t{1} << 28, cover);
  editor::TBitmap raster;
  editor::AssignTo(picture, raster);
  return editor::ResampleNearest(raster, fit.Width, fit.Height);
}

// The other codecs and the metafile renderer were written for one caller at
// a time; JPEG decoding has no shared state and runs on every worker.
std::mutex& OtherFormatsLock() {
  static std::mutex lock;
  return lock;
}

editor::TBitmap OtherThumbnail(const std::string& path, int cellWidth, int cellHeight) {
  std::unique_ptr<editor::TBitmap> raster;
  {
    std::lock_guard<std::mutex> hold(OtherFormatsLock());
    raster = editor::LoadImageFile(path);
  }
  TPlace fit = FitInCell(raster->Width(), raster->Height(), cellWidth, cellHeight);
  if (raster->Empty()) return {};
  return editor::ResampleNearest(*raster, fit.Width, fit.Height);
}

}  // namespace

editor::TBitmap MakeThumbnail(const std::string& path, int cellWidth, int cellHeight) {
  try {
    if (editor::FormatOfFileName(path) == editor::TImageFormat::Jpeg)
      return JpegThumbnail(path, cellWidth, cellHeight);
    return OtherThumbnail(path, cellWidth, cellHeight);
  } catch (const std::exception&) {
    return {};  // drawn as nothing, like any picture that cannot be loaded
  }
}

TThumbnailWorker::TThumbnailWorker(int threads, TFinished finished) : Finished(std::move(finished)) {
  for (int i = 0; i < std::max(1, threads); ++i) Threads.emplace_back([this] { Run(); });
}

TThumbnailWorker::~TThumbnailWorker() {
  {
    std::lock_guard<std::mutex> hold(Lock);
    Quit = true;
    Queue.clear();
  }
  Wake.notify_all();
  for (auto& t : Threads) t.join();
}

uint64_t TThumbnailWorker::Start(std::vector<TThumbnailJob> jobs, int cellWidth, int cellHeight) {
  uint64_t generation;
  {
    std::lock_guard<std::mutex> hold(Lock);
    generation = ++Generation;
    Queue.assign(std::make_move_iterator(jobs.begin()), std::make_move_iterator(jobs.end()));
    CellWidth = cellWidth;
    CellHeight = cellHeight;
  }
  Wake.notify_all();
  return generation;
}

uint64_t TThumbnailWorker::Cancel() {
  std::lock_guard<std::mutex> hold(Lock);
  Queue.clear();
  return ++Generation;
}

void TThumbnailWorker::Wait() {
  std::unique_lock<std::mutex> hold(Lock);
  Idle.wait(hold, [this] { return Queue.empty() && Running == 0; });
}

void TThumbnailWorker::Run() {
  std::unique_lock<std::mutex> hold(Lock);
  for (;;) {
    Wake.wait(hold, [this] { return Quit || !Queue.empty(); });
    if (Quit) return;
    TThumbnailJob job = std::move(Queue.front());
    Queue.pop_front();
    uint64_t generation = Generation;
    int w = CellWidth, h = CellHeight;
    ++Running;
    hold.unlock();
    auto picture = std::make_shared<const editor::TBitmap>(MakeThumbnail(job.Path, w, h));
    Finished(generation, job, std::move(picture));
    hold.lock();
    --Running;
    if (Queue.empty() && Running == 0) Idle.notify_all();
  }
}

int ThumbnailThreads() {
  int cores = static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(cores - 1, 1, 4);
}

}  // namespace lumarte::browser
