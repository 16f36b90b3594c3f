#pragma once
// Size limits every decoder applies before it allocates: a header may claim
// anything, the machine's memory may not be asked for all of it.
#include <cstdint>

namespace lumarte::imaging {

inline constexpr int64_t kMaxImageSide = 65535;
inline constexpr int64_t kMaxImagePixels = int64_t{1} << 28;

// The pixel count decoders accept: kMaxImagePixels unless a program that
// wants every decode to stay small (a fuzzer) lowered it for the process.
int64_t MaxImagePixels();
// Lowers MaxImagePixels to `pixels` (at least 1); it never rises again.
void LowerMaxImagePixels(int64_t pixels);

// Raises ERevedBitmap "Invalid bitmap size" unless 1 <= side <= kMaxImageSide
// and the pixel count stays within MaxImagePixels().
void CheckImageSize(int64_t width, int64_t height);

}  // namespace lumarte::imaging
