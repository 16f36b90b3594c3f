#include "browser/model/BrowserTexts.h"

namespace lumarte::browser {

std::string FileStatusText(const std::string& name, int64_t size) {
  if (size < 1001) return name + " (" + std::to_string(size) + " B)";
  return name + " (" + std::to_string(size / 1000) + " kB)";
}

std::string ImageCountText(int count) {
  return "No. of images: " + std::to_string(count);
}

std::string WebImageCountText(int count) {
  return "No. of JPEG images: " + std::to_string(count);
}

}  // namespace lumarte::browser
