#pragma once
// Reads a reference rendering with libpng, as 8-bit red, green, blue.
#include <cstdint>
#include <string>
#include <vector>

namespace lumarte::testing {

struct TRgbImage {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Rgb;  // rows top first, 3 bytes per pixel
};

// False when the file cannot be read.
bool ReadPngReference(const std::string& path, TRgbImage& out);

}  // namespace lumarte::testing
