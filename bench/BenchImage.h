#pragma once
// The 12-megapixel picture the effect benchmarks work on: smooth gradients
// with a little noise, so that no side profits from flat areas.
#include <filesystem>
#include <string>
#include <vector>

#include "editor/model/Bitmap.h"

namespace lumarte::bench {

inline constexpr int kPhotoWidth = 4000, kPhotoHeight = 3000;

const editor::TBitmap& PhotoRaster();

// A folder of this run's own, temp/lumarte-bench-<pid>/name, removed with the
// rest of the run's folder when the program ends.
std::filesystem::path BenchFolder(const std::string& name);

// count JPEGs of 1600 × 1200 cut from the photo at different offsets (no two
// alike), written once into folder/src; returns their paths.
std::vector<std::string> WriteCutPhotos(const std::string& folder, int count);

}  // namespace lumarte::bench
