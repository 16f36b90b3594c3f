#pragma once
// The 12-megapixel picture the effect benchmarks work on: smooth gradients
// with a little noise, so that no side profits from flat areas.
#include "editor/model/Bitmap.h"

namespace lumarte::bench {

inline constexpr int kPhotoWidth = 4000, kPhotoHeight = 3000;

const editor::TBitmap& PhotoRaster();

}  // namespace lumarte::bench
