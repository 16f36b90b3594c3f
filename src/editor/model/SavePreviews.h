#pragma once
// What the save-option dialogs show before anything is saved.
#include <cstdint>
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::editor {

// The raster with every pixel of the transparent colour shown as a grey
// checkerboard of 8-pixel squares, the way viewers show transparency.
TBitmap MarkTransparentPixels(const TBitmap& raster, TColor transparentColor);

// "N Bytes", the size label of the JPEG dialog.
std::string SizeText(int64_t bytes);

}  // namespace lumarte::editor
