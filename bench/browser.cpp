// The image browser's thumbnails of 100 JPEGs of 1600 × 1200 filling the
// grid (100 × 100 cells, on the browser's worker threads) against
// `mogrify -thumbnail 100x100 -define jpeg:size=200x200` over the same files.
#include <benchmark/benchmark.h>

#include <atomic>
#include <filesystem>

#include "BenchImage.h"
#include "WholeProcess.h"
#include "browser/model/Thumbnails.h"
#include "editor/model/DocumentCodecs.h"

namespace lumarte::bench {
namespace {

namespace fs = std::filesystem;

const fs::path& Folder() {
  static const fs::path dir = BenchFolder("browser");
  return dir;
}

const std::vector<std::string>& Photos() {
  static const std::vector<std::string> files = WriteCutPhotos(Folder().string(), 100);
  return files;
}

void BM_BrowserThumbs_lumarte(benchmark::State& state) {
  std::vector<browser::TThumbnailJob> jobs;
  for (size_t i = 0; i < Photos().size(); ++i) jobs.push_back({static_cast<int>(i), Photos()[i]});
  std::atomic<int> drawn{0};
  browser::TThumbnailWorker worker(browser::ThumbnailThreads(),
                                   [&](uint64_t, const browser::TThumbnailJob&, auto picture) {
                                     if (!picture->Empty()) ++drawn;
                                   });
  for (auto _ : state) {
    worker.Start(jobs, 100, 100);
    worker.Wait();
  }
  if (drawn != static_cast<int>(state.iterations() * jobs.size()))
    state.SkipWithError("a thumbnail was not made");
}

void BM_BrowserThumbs_peer(benchmark::State& state) {
  const fs::path out = Folder() / "peer";
  fs::create_directories(out);
  std::vector<std::string> args{
      fs::exists("/usr/bin/mogrify-im6.q16") ? "/usr/bin/mogrify-im6.q16" : "mogrify",
      "-path",
      out.string(),
      "-thumbnail",
      "100x100",
      "-define",
      "jpeg:size=200x200"};
  args.insert(args.end(), Photos().begin(), Photos().end());
  try {
    for (auto _ : state) RunProgram(args);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
  }
}

BENCHMARK(BM_BrowserThumbs_lumarte)
    ->Name("BM_BrowserThumbs/lumarte")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_BrowserThumbs_peer)
    ->Name("BM_BrowserThumbs/peer")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace
}  // namespace lumarte::bench
