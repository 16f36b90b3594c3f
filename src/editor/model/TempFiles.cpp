#include "editor/model/TempFiles.h"

#include <filesystem>

#include "base/Random.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"

namespace lumarte::editor {

int TTempFiles::ProgramRandom(int n) {
  return static_cast<int>(lumarte::Rng().Below(static_cast<uint32_t>(n)));
}

std::string TTempFiles::NewName(const std::string& ext,
                                const std::function<int(int)>& randomBelow) {
  std::error_code ec;
  std::string folder = imaging::AddBackslash(std::filesystem::temp_directory_path(ec).string());
  if (ec) folder = "/tmp/";
  // As many draws as there are numbers: a full folder must not hang the program.
  for (int attempt = 0; attempt < 999999; ++attempt) {
    std::string name = folder + std::to_string(randomBelow(999999)) + ext;
    if (!std::filesystem::exists(name, ec)) return name;
  }
  throw EInOutError("No free temporary file name in " + folder);
}

void TTempFiles::DeleteAll() {
  for (const auto& name : Files) {
    std::error_code ec;
    std::filesystem::remove(name, ec);
  }
  Files.clear();
}

}  // namespace lumarte::editor
