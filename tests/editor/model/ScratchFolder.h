#pragma once
// A fresh folder per test, removed afterwards, and an environment variable
// set for the test's lifetime.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace lumarte::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumarte-test-XXXXXX").string();
    Path = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string operator/(const std::string& name) const { return Path + "/" + name; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::string file = *this / name;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }
  static std::string Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string Path;
};

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : Name(name) {
    if (const char* old = std::getenv(name)) Old = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (Old)
      ::setenv(Name, Old->c_str(), 1);
    else
      ::unsetenv(Name);
  }

 private:
  const char* Name;
  std::optional<std::string> Old;
};

// Restores the current folder at the end of a test that changes it.
class ScopedCurrentFolder {
 public:
  ScopedCurrentFolder() : Saved(std::filesystem::current_path()) {}
  ~ScopedCurrentFolder() { std::filesystem::current_path(Saved); }

 private:
  std::filesystem::path Saved;
};

}  // namespace lumarte::testing
