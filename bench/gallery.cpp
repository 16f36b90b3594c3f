// lumarte-cli gallery against ImageMagick making the same two files per
// image: 100 JPEGs of 1600 × 1200, published at quality 75 plus 70 × 70
// thumbnails at quality 60, whole processes, wall-clock time.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "BenchImage.h"
#include "WholeProcess.h"
#include "editor/model/DocumentCodecs.h"
#include "editor/model/Resample.h"

namespace lumarte::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kImages = 100;

const fs::path& Folder() {
  static const fs::path dir = BenchFolder("gallery");
  return dir;
}

// The sources, written once: one picture cut from the benchmark photo at
// different offsets, so that no two files are alike.
const std::vector<std::string>& Sources() {
  static const std::vector<std::string> files = [] {
    // The undo record of the command line goes with the folder.
    setenv("XDG_CACHE_HOME", (Folder() / "cache").c_str(), 1);
    return WriteCutPhotos(Folder().string(), kImages);
  }();
  return files;
}

std::string Program(std::initializer_list<const char*> candidates) {
  for (const char* p : candidates)
    if (fs::exists(p)) return p;
  return *(candidates.end() - 1);
}

void Fresh(const fs::path& dir) {
  fs::remove_all(dir);
  fs::create_directories(dir);
}

void BM_Gallery_lumarte(benchmark::State& state) {
  std::vector<std::string> args{LUMARTE_CLI_PATH, "gallery", (Folder() / "lumarte").string()};
  args.insert(args.end(), Sources().begin(), Sources().end());
  args.insert(args.end(), {"--quality", "middle", "--width", "70", "--height", "70"});
  try {
    for (auto _ : state) {
      state.PauseTiming();
      Fresh(Folder() / "lumarte");
      state.ResumeTiming();
      RunProgram(args);
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
  }
}

void BM_Gallery_peer(benchmark::State& state) {
  const std::string mogrify = Program({"/usr/bin/mogrify-im6.q16", "mogrify"});
  const fs::path out = Folder() / "peer";
  std::vector<std::string> copies,
      thumbs{mogrify, "-path", (out / "thumbs").string(), "-thumbnail", "70x70", "-quality", "60"};
  for (const auto& s : Sources()) copies.push_back((out / fs::path(s).filename()).string());
  std::vector<std::string> publish{mogrify, "-quality", "75"};
  publish.insert(publish.end(), copies.begin(), copies.end());
  thumbs.insert(thumbs.end(), Sources().begin(), Sources().end());
  try {
    for (auto _ : state) {
      state.PauseTiming();
      Fresh(out);
      fs::create_directories(out / "thumbs");
      for (size_t i = 0; i < copies.size(); ++i) fs::copy_file(Sources()[i], copies[i]);
      state.ResumeTiming();
      RunProgram(publish);
      RunProgram(thumbs);
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
  }
}

BENCHMARK(BM_Gallery_lumarte)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Gallery_peer)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace lumarte::bench
