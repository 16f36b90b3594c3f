#pragma once
// The palette picture of the colour dialog: the hues from left to right,
// white above them and black below, and a grey ramp along the bottom.
#include "editor/model/Bitmap.h"
#include "editor/model/ColorSet.h"

namespace lumarte::editor {

inline constexpr int kPaletteWidth = 256;
inline constexpr int kPaletteHeight = 144;
// The rows of the grey ramp at the bottom.
inline constexpr int kPaletteGreyRows = 16;

// At least 2 × (kPaletteGreyRows + 2) pixels.
TBitmap MakeColourPalette(int width = kPaletteWidth, int height = kPaletteHeight);

// The colour at (x, y), a point outside taken from the nearest edge.
TColorEntry PaletteColourAt(const TBitmap& palette, int x, int y);

}  // namespace lumarte::editor
