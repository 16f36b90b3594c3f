#pragma once
// Retouching: red-eye removal and buttonize (with posterize).
#include <vector>

#include "effects/model/EffectInput.h"

namespace lumarte::effects {

struct EffectRow;

// Strongly red pupils found over the whole image and grown a little; the
// marked pixels inside the selection lose their red. Draws one random number
// per changed pixel from the program's generator (seeded by the caller).
editor::TBitmap RedEyeRemoval(const EffectInput& in);
struct RedEyeParams {};

// The pixels red-eye removal changes before the selection is applied: the
// seeds and what three growing passes reach from them.
std::vector<bool> RedEyeMarks(const editor::TBitmap& image);

struct ButtonizeParams {
  int BorderSize = 10;  // 1..200
  bool Posterize = false;
  int Bitplanes = 6;  // 2..7 low bit planes cleared
};
// The border size the dialog starts with for an image.
int ButtonizeBorderSize(int width, int height);
// Shades the selection darker towards its border; 48 draws per selected
// pixel. Abortable; progress "Buttonize".
editor::TBitmap Buttonize(const EffectInput& in, const ButtonizeParams& p);

void AddRetouchEffects(std::vector<EffectRow>& rows);

}  // namespace lumarte::effects
