#pragma once
// libpng as an independent peer for the PNG tests (test builds only).
#include <cstdint>
#include <string>
#include <vector>

namespace lumarte::imaging::test {

struct TRgbImage {
  uint32_t Width = 0, Height = 0;
  std::vector<uint8_t> Rgb;  // 3 bytes per pixel, rows top first
  int ColorType = -1;
};

// Decodes to 8-bit RGB: palettes and low-depth grey expanded, 16-bit samples
// cut to their high byte, alpha dropped, no gamma correction. False (with the
// message) when libpng rejects the file.
bool LibpngDecode(const std::string& file, TRgbImage& out, std::string* error = nullptr);

}  // namespace lumarte::imaging::test
