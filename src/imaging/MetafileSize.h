#pragma once
// The picture size of a metafile: its bounds are inclusive, so bounds from a
// to b in units of 1/unitsPerInch inch span b - a + 1 units, shown at 96
// pixels per inch.
#include <cstdint>

namespace lumarte::imaging {

int64_t PictureSide(int64_t first, int64_t last, double unitsPerInch);
// EFormatError unless both sides are in 1..kMaxMetafileSide and the pixel
// count is at most kMaxMetafilePixels.
void CheckPictureSize(int64_t width, int64_t height);

}  // namespace lumarte::imaging
