#pragma once
// What the JPEG 2000 save dialog computes: the rate texts, the codec options
// and the preview made by a round trip through the codec library.
#include <cstdint>
#include <string>

#include "imaging/ImageDLLLoader.h"

namespace lumarte::imaging {

// Rate in tenths of a percent, 0 .. 99.
constexpr int kJpeg2000MinRate = 0;
constexpr int kJpeg2000MaxRate = 99;
constexpr int kJpeg2000DefaultRate = 50;

// "5.3 %" for 53.
std::string Jpeg2000RateText(int rate);
// Empty for lossless; "rate=0.050" for a lossy rate of 50.
std::string Jpeg2000OptionsText(bool lossy, int rate);

struct TJpeg2000Preview {
  TRevedBitmap Image;    // as the codec gives it back
  int64_t FileSize = 0;  // bytes of the encoded file
};

// Saves a copy of image through codec (with its current Options) to a fresh
// temporary .jp2 file, loads it back and deletes the file.
TJpeg2000Preview MakeJpeg2000Preview(const TRevedBitmap& image, TImageDLLLoader& codec);

// folder + a random number below 999999 + ext, drawn again while such a file
// exists.
std::string FreshTempFileName(const std::string& folder, const std::string& ext);

}  // namespace lumarte::imaging
