#include "editor/model/SavePreviews.h"

#include <chrono>
#include <filesystem>
#include <random>

#include "editor/model/DocumentCodecs.h"
#include "editor/model/ImageFiles.h"

namespace lumarte::editor {

namespace fs = std::filesystem;

std::string TemporaryFileName(const std::string& ext) {
  static std::minstd_rand random(
      static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::error_code ec;
  fs::path folder = fs::temp_directory_path(ec);
  if (ec) folder = "/tmp";
  std::uniform_int_distribution<int> below(0, 999998);
  for (;;) {
    fs::path name = folder / (std::to_string(below(random)) + ext);
    if (!fs::exists(name, ec)) return name.string();
  }
}

TBitmap MarkTransparentPixels(const TBitmap& raster, TColor transparentColor) {
  TBitmap out = raster;
  const uint8_t b = BlueOf(transparentColor), g = GreenOf(transparentColor),
                r = RedOf(transparentColor);
  for (int y = 0; y < out.Height(); ++y) {
    uint8_t* p = out.ScanLine(y);
    for (int x = 0; x < out.Width(); ++x, p += 3) {
      if (p[0] != b || p[1] != g || p[2] != r) continue;
      uint8_t v = ((x / 8 + y / 8) & 1) ? 0x99 : 0xCC;
      p[0] = p[1] = p[2] = v;
    }
  }
  return out;
}

TJpegPreview MakeJpegPreview(const TBitmap& raster, int quality, bool progressive) {
  std::string name = TemporaryFileName(".jpg");
  TJpegPreview preview;
  try {
    WriteJpegFile(name, raster, quality, progressive);
    std::error_code ec;
    preview.FileSize = static_cast<int64_t>(fs::file_size(name, ec));
    preview.Decoded = std::move(*LoadImageFile(name));
  } catch (...) {
    std::error_code ec;
    fs::remove(name, ec);
    throw;
  }
  std::error_code ec;
  fs::remove(name, ec);
  return preview;
}

std::string SizeText(int64_t bytes) {
  return std::to_string(bytes) + " Bytes";
}

}  // namespace lumarte::editor
