#pragma once
// The direct commands of the Image and Effects menus: they run at once,
// without a dialog, on the current image.
#include <vector>

#include "effects/model/EffectInput.h"

namespace lumarte::effects {

struct EffectRow;

// A command of the table: its menu caption, the sub-menu caption that goes in
// front of its command-line name when the caption alone says too little, its
// menu item and its work.
struct PixelCommand {
  const char* Caption;
  const char* Prefix;
  const char* MenuItem;
  editor::TBitmap (*Run)(const EffectInput&);
};

// Per-pixel colour maps: Negative Image, Colorize, Fill Selection, the TCI and
// BG commands, Grayscale.
const std::vector<PixelCommand>& ColourMapCommands();
// Geometric remaps: the flips, the diagonal flips, Rotate All 90°, Washing Machine.
const std::vector<PixelCommand>& RemapCommands();
// Mosaic, Painting (water color), Random Permutation.
const std::vector<PixelCommand>& TextureCommands();
// Paint Border of Selection and the two flood fills.
const std::vector<PixelCommand>& DrawCommands();

// Commands that callers outside the tables use by name (benchmarks).
editor::TBitmap NegativeImage(const EffectInput& in);
// Mirrors left to right (the menu's "Flip Vertical": about the vertical axis).
editor::TBitmap FlipLeftRight(const EffectInput& in);
editor::TBitmap RotateLeft(const EffectInput& in);
editor::TBitmap RotateRight(const EffectInput& in);
// Mosaic's block size for a W x H image.
int MosaicBlockSize(int width, int height);

void AddPixelOpEffects(std::vector<EffectRow>& rows);

}  // namespace lumarte::effects
