#include "WholeProcess.h"

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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
constexpr int kW = 4000, kH = 3000;

// A photo-like picture: smooth gradients with a little noise, so that
// neither side profits from flat areas.
const std::string& InputFile() {
  static const std::string name = [] {
    fs::path dir = fs::temp_directory_path() / ("lumarte-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string file = (dir / "in.ppm").string();
    std::ofstream out(file, std::ios::binary);
    out << "P6\n" << kW << " " << kH << "\n255\n";
    std::vector<unsigned char> row(kW * 3);
    uint32_t s = 7;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        s = s * 134775813u + 1;
        int n = static_cast<int>(s >> 28) - 8;
        row[3 * x] = static_cast<unsigned char>(std::clamp(x * 255 / kW + n, 0, 255));
        row[3 * x + 1] = static_cast<unsigned char>(std::clamp(y * 255 / kH + n, 0, 255));
        row[3 * x + 2] = static_cast<unsigned char>(std::clamp((x + y) * 128 / kH + n, 0, 255));
      }
      out.write(reinterpret_cast<const char*>(row.data()),
                static_cast<std::streamsize>(row.size()));
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

void Run(const std::vector<std::string>& args) {
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

void Measure(benchmark::State& state, const std::vector<std::string>& args) {
  try {
    for (auto _ : state) Run(args);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
  }
}

}  // namespace

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
