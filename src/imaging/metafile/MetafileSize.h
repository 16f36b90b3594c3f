#pragma once
// The picture size of a metafile: its bounds are inclusive, so bounds from a
// to b in units of 1/unitsPerInch inch span b - a + 1 units, shown at 96
// pixels per inch.
#include <cstdint>

namespace lumarte::imaging {

int64_t PictureSide(int64_t first, int64_t last, double unitsPerInch);
// EFormatError ("Metafile has no size", "Metafile too large") unless both
// sides are in 1..kMaxImageSide and the pixel count is at most kMaxImagePixels.
void CheckPictureSize(int64_t width, int64_t height);

}  // namespace lumarte::imaging
