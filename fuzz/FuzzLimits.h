#pragma once
// The picture size the decoder targets allow. Every branch of a decoder
// (row padding, bit depths, palettes, run lengths, tiles) is reached with
// pictures this small, and each run stays far below a millisecond under the
// sanitizers; the decoders' own limit is checked by their tests.
#include <cstdint>

#include "imaging/CodecLimits.h"

inline constexpr int64_t kFuzzMaxPixels = int64_t{1} << 16;

inline void LimitFuzzPictures() {
  lumarte::imaging::LowerMaxImagePixels(kFuzzMaxPixels);
}
