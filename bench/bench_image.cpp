#include "BenchImage.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "editor/model/DocumentCodecs.h"

namespace lumarte::bench {

const editor::TBitmap& PhotoRaster() {
  static const editor::TBitmap image = [] {
    const int w = kPhotoWidth, h = kPhotoHeight;
    editor::TBitmap b(w, h);
    uint32_t s = 7;
    for (int y = 0; y < h; ++y) {
      uint8_t* row = b.ScanLine(y);
      for (int x = 0; x < w; ++x) {
        s = s * 134775813u + 1;
        int n = static_cast<int>(s >> 28) - 8;
        row[3 * x] = static_cast<uint8_t>(std::clamp(x * 255 / w + n, 0, 255));
        row[3 * x + 1] = static_cast<uint8_t>(std::clamp(y * 255 / h + n, 0, 255));
        row[3 * x + 2] = static_cast<uint8_t>(std::clamp((x + y) * 128 / h + n, 0, 255));
      }
    }
    return b;
  }();
  return image;
}

std::filesystem::path BenchFolder(const std::string& name) {
  namespace fs = std::filesystem;
  static const struct TRunFolder {
    fs::path Path = fs::temp_directory_path() / ("lumarte-bench-" + std::to_string(getpid()));
    ~TRunFolder() {
      std::error_code ignored;
      fs::remove_all(Path, ignored);
    }
  } run;
  return run.Path / name;
}

std::vector<std::string> WriteCutPhotos(const std::string& folder, int count) {
  namespace fs = std::filesystem;
  fs::create_directories(fs::path(folder) / "src");
  const editor::TBitmap& photo = PhotoRaster();
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    editor::TBitmap part(1600, 1200);
    part.Draw(-(i * 23 % 2400), -(i * 17 % 1800), photo);
    names.push_back((fs::path(folder) / "src" / ("img" + std::to_string(i) + ".jpg")).string());
    editor::WriteJpegFile(names.back(), part, 90, false);
  }
  return names;
}

}  // namespace lumarte::bench
