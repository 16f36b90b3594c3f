#include "WholeProcess.h"

#include "BenchImage.h"

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

extern char** environ;

namespace lumarte::bench {

namespace {

namespace fs = std::filesystem;
// The benchmark picture as PPM (red, green, blue), written once.
const std::string& InputFile() {
  static const std::string name = [] {
    fs::path dir = BenchFolder("whole-process");
    fs::create_directories(dir);
    std::string file = (dir / "in.ppm").string();
    const editor::TBitmap& image = PhotoRaster();
    std::ofstream out(file, std::ios::binary);
    out << "P6\n" << image.Width() << " " << image.Height() << "\n255\n";
    std::vector<char> row(3 * static_cast<size_t>(image.Width()));
    for (int y = 0; y < image.Height(); ++y) {
      const uint8_t* bgr = image.ScanLine(y);
      for (size_t i = 0; i < row.size(); i += 3) {
        row[i] = static_cast<char>(bgr[i + 2]);
        row[i + 1] = static_cast<char>(bgr[i + 1]);
        row[i + 2] = static_cast<char>(bgr[i]);
      }
      out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    return file;
  }();
  return name;
}

std::string ConvertProgram() {
  if (const char* env = std::getenv("LUMARTE_CONVERT")) return env;
  // The packaged binary itself: a wrapper script in front of it would add
  // its own start-up time to every run.
  for (const char* p : {"/usr/bin/convert-im6.q16", "/usr/bin/convert"})
    if (fs::exists(p)) return p;
  return "convert";
}

void Measure(benchmark::State& state, const std::vector<std::string>& args) {
  try {
    for (auto _ : state) RunProgram(args);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
  }
}

}  // namespace

void RunProgram(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start " + args[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(args[0] + " failed");
}

void RegisterWholeProcessPair(const std::string& name, std::vector<std::string> cliArgs,
                              std::vector<std::string> convertArgs) {
  auto lumarte = [cliArgs](benchmark::State& state) {
    std::string out = fs::path(InputFile()).replace_filename("lumarte.ppm").string();
    std::vector<std::string> args{LUMARTE_CLI_PATH, "apply", InputFile(), out};
    args.insert(args.end(), cliArgs.begin(), cliArgs.end());
    Measure(state, args);
  };
  auto peer = [convertArgs](benchmark::State& state) {
    std::string out = fs::path(InputFile()).replace_filename("peer.ppm").string();
    std::vector<std::string> args{ConvertProgram(), InputFile()};
    args.insert(args.end(), convertArgs.begin(), convertArgs.end());
    args.push_back(out);
    Measure(state, args);
  };
  for (auto [side, f] :
       {std::pair<const char*, std::function<void(benchmark::State&)>>{"lumarte", lumarte},
        {"peer", peer}})
    benchmark::RegisterBenchmark(("BM_" + name + "/" + side).c_str(), f)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
}

}  // namespace lumarte::bench
