#include "imaging/CodecLimits.h"

#include <algorithm>
#include <atomic>

#include "imaging/Errors.h"

namespace lumarte::imaging {

namespace {

std::atomic<int64_t> gMaxPixels{kMaxImagePixels};

}  // namespace

int64_t MaxImagePixels() {
  return gMaxPixels.load(std::memory_order_relaxed);
}

void LowerMaxImagePixels(int64_t pixels) {
  pixels = std::max<int64_t>(pixels, 1);
  int64_t now = gMaxPixels.load(std::memory_order_relaxed);
  while (pixels < now && !gMaxPixels.compare_exchange_weak(now, pixels, std::memory_order_relaxed)) {
  }
}

void CheckImageSize(int64_t width, int64_t height) {
  if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide ||
      width * height > MaxImagePixels())
    throw ERevedBitmap("Invalid bitmap size");
}

}  // namespace lumarte::imaging
