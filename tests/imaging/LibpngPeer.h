#pragma once
// libpng as an independent peer for the PNG tests (test builds only).
#include <cstdint>
#include <string>
#include <vector>

namespace lumarte::imaging::test {

struct TRgbImage {
  uint32_t Width = 0, Height = 0;
  std::vector<uint8_t> Rgb;  // 3 bytes per pixel, rows top first
  double FileGamma = 0;      // gAMA value / 100000, 0 when absent
  int ColorType = -1, BitDepth = 0, Interlace = 0;
};

// Decodes to 8-bit RGB: palettes and low-depth grey expanded, 16-bit samples
// cut to their high byte, alpha dropped, no gamma correction. False (with the
// message) when libpng rejects the file.
bool LibpngDecode(const std::string& file, TRgbImage& out, std::string* error = nullptr);

// Encodes samples (rows of packed samples as PNG stores them) with libpng.
std::string LibpngEncode(uint32_t width, uint32_t height, int colorType, int bitDepth,
                         const std::vector<uint8_t>& samples, int level, bool interlace,
                         const std::vector<uint8_t>& palette = {});

}  // namespace lumarte::imaging::test
