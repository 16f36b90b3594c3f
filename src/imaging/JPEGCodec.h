#pragma once
// JPEG decoding and encoding with libjpeg-turbo. libjpeg's fatal errors come
// back as EFormatError carrying libjpeg's own message; warnings about corrupt
// data are silent and still give a picture.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

struct TJPEGDecodeResult {
  bool Grayscale = false;  // the data hold one grey component
  int Warnings = 0;        // corrupt-data warnings libjpeg raised
  int FullWidth = 0, FullHeight = 0;  // the size before any scaling
};

// For decoding a reduced picture: given the full width and height, the size
// the output must at least have. libjpeg then decodes at the smallest of the
// scales 1/8, 2/8, ... 8/8 that gives that size (its DCT scaling, far
// cheaper than decoding everything and shrinking afterwards).
using TJPEGCoverRule = std::function<std::pair<int, int>(int width, int height)>;

// Grey JPEGs give pf8bit with the grey ramp, all others pf24bit (CMYK and
// YCCK converted to RGB). Pictures above maxPixels are refused before any
// pixel memory is taken. On failure the picture is left empty.
TJPEGDecodeResult DecodeJPEG(const uint8_t* data, size_t size, TRevedBitmap& picture,
                             int64_t maxPixels = int64_t{1} << 28,
                             const TJPEGCoverRule& cover = {});

struct TJPEGEncodeOptions {
  int Quality = 90;  // libjpeg treats values below 1 as 1 and above 100 as 100
  bool Grayscale = false;
  bool Progressive = false;
};

// Encodes an 8-bit (through its palette) or 24-bit picture.
void EncodeJPEG(const TRevedBitmap& picture, const TJPEGEncodeOptions& options, std::string& out);

}  // namespace lumarte::imaging
