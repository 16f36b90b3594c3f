#pragma once
// Size limits every decoder applies before it allocates: a header may claim
// anything, the machine's memory may not be asked for all of it.
#include <cstdint>

namespace lumarte::imaging {

inline constexpr int64_t kMaxImageSide = 65535;
inline constexpr int64_t kMaxImagePixels = int64_t{1} << 28;

// Raises ERevedBitmap "Invalid bitmap size" unless 1 <= side <= kMaxImageSide
// and the pixel count stays within kMaxImagePixels.
void CheckImageSize(int64_t width, int64_t height);

}  // namespace lumarte::imaging
