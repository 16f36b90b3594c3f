#include "imaging/PngReference.h"

#include <png.h>

#include <cstring>

namespace lumarte::testing {

bool ReadPngReference(const std::string& path, TRgbImage& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out.Width = static_cast<int>(image.width);
  out.Height = static_cast<int>(image.height);
  out.Rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.Rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

}  // namespace lumarte::testing
