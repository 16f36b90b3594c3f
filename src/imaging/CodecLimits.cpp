#include "imaging/CodecLimits.h"

#include "imaging/Errors.h"

namespace lumarte::imaging {

void CheckImageSize(int64_t width, int64_t height) {
  if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide ||
      width * height > kMaxImagePixels)
    throw ERevedBitmap("Invalid bitmap size");
}

}  // namespace lumarte::imaging
