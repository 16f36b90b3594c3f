#pragma once
// The 12-megapixel picture the effect benchmarks work on: smooth gradients
// with a little noise, so that no side profits from flat areas.
#include <string>
#include <vector>

#include "editor/model/Bitmap.h"

namespace lumarte::bench {

inline constexpr int kPhotoWidth = 4000, kPhotoHeight = 3000;

const editor::TBitmap& PhotoRaster();

// count JPEGs of 1600 × 1200 cut from the photo at different offsets (no two
// alike), written once into folder/src; returns their paths.
std::vector<std::string> WriteCutPhotos(const std::string& folder, int count);

}  // namespace lumarte::bench
