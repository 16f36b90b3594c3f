#pragma once
// Reduces a 24-bit image to a paletted one: used when saving to formats or
// depths with fewer colours (BMP 8/4/1 bit, GIF).
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

struct TColorReductionOptions {
  int MaxColors = 256;  // 2, 16 or 256 (any 2..256 works)
  bool Dither = false;  // Floyd–Steinberg error diffusion
};

// Returns a pf8bit image with at most MaxColors palette entries in use (the
// rest of the 256-entry palette is black). An image that already has at most
// MaxColors distinct colours keeps them exactly. A pf8bit source whose palette
// fits is returned as it is (palette entries reordered as needed).
// UsedColors receives the number of palette entries in use.
TRevedBitmap ReduceColors(const TRevedBitmap& source, const TColorReductionOptions& options,
                          int* usedColors = nullptr);

}  // namespace lumarte::imaging
