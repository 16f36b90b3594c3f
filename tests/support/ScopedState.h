#pragma once
// Process state a test changes and gives back: an environment variable, the
// current folder.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace lumarte::fixtures {

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

class ScopedCurrentFolder {
 public:
  ScopedCurrentFolder() : Saved(std::filesystem::current_path()) {}
  ~ScopedCurrentFolder() { std::filesystem::current_path(Saved); }

 private:
  std::filesystem::path Saved;
};

}  // namespace lumarte::fixtures
