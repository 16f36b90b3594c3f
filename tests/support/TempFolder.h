#pragma once
// A fresh folder removed with everything in it at the end of a test.
#include <filesystem>
#include <random>
#include <string>

namespace lumarte::fixtures {

class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    Path = std::filesystem::temp_directory_path() /
           ("lumarte-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(Path);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string File(const std::string& name) const { return (Path / name).string(); }
  std::filesystem::path Path;
};

}  // namespace lumarte::fixtures
