#include "imaging/JPEG2000Options.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "imaging/FileUtils.h"

namespace lumarte::imaging {

std::string Jpeg2000RateText(int rate) {
  return std::to_string(rate / 10) + "." + std::to_string(rate % 10) + " %";
}

std::string Jpeg2000OptionsText(bool lossy, int rate) {
  if (!lossy) return "";
  return "rate=0.0" + std::to_string(rate / 10) + std::to_string(rate % 10);
}

std::string FreshTempFileName(const std::string& folder, const std::string& ext) {
  static std::minstd_rand random{std::random_device{}()};
  std::uniform_int_distribution<int> below(0, 999998);
  const std::string dir = AddBackslash(folder);
  for (;;) {
    std::string name = dir + std::to_string(below(random)) + ext;
    struct stat st;
    if (::stat(name.c_str(), &st) != 0) return name;
  }
}

TJpeg2000Preview MakeJpeg2000Preview(const TRevedBitmap& image, TImageDLLLoader& codec) {
  TRevedBitmap copy(image);
  const std::string name = FreshTempFileName(std::filesystem::temp_directory_path(), ".jp2");
  TJpeg2000Preview preview;
  try {
    codec.SaveToFile(name, "jp2", copy);
    struct stat st;
    preview.FileSize = ::stat(name.c_str(), &st) == 0 ? st.st_size : 0;
    codec.LoadFromFile(name, "jp2", preview.Image);
  } catch (...) {
    ::unlink(name.c_str());
    throw;
  }
  ::unlink(name.c_str());
  return preview;
}

}  // namespace lumarte::imaging
