// Stand-in main for builds without libFuzzer: feeds every file named on the
// command line (folders are walked) to the fuzz target once. Each file is
// announced before it runs, as libFuzzer does, so that a crash names it.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void RunFile(const std::filesystem::path& p) {
  std::fprintf(stderr, "Running: %s\n", p.c_str());
  std::ifstream in(p, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  size_t count = 0;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path p(argv[i]);
    if (std::filesystem::is_directory(p)) {
      for (auto& e : std::filesystem::recursive_directory_iterator(p))
        if (e.is_regular_file()) RunFile(e.path()), ++count;
    } else if (std::filesystem::is_regular_file(p)) {
      RunFile(p), ++count;
    }
  }
  std::printf("replayed %zu inputs\n", count);
  return 0;
}
