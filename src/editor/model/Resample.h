#pragma once
// Nearest-neighbour resampling, shared by the Resize dialog and the gallery's
// thumbnails: target pixel (x, y) takes source pixel
// (min(w - 1, round(x·w/W)), min(h - 1, round(y·h/H))), halves to even.
#include <cstdint>
#include <vector>

#include "editor/model/Bitmap.h"

namespace lumarte::editor {

// For each of `to` target positions, the source index min(from - 1,
// round(i·from/to)) with halves to even, in integer arithmetic only.
std::vector<int32_t> NearestSourceTable(int from, int to);

// A new width × height raster sampled from src; both sizes must be at least
// 1 (raises ELumarteError "Invalid bitmap size" otherwise, or for a raster
// too large to hold).
TBitmap ResampleNearest(const TBitmap& src, int width, int height);

}  // namespace lumarte::editor
