#pragma once
// The select-by-colour dialog's swatch: the reference colour scattered by up
// to the width, so that the user sees which colours pass.
#include "base/Random.h"
#include "editor/model/Bitmap.h"
#include "editor/model/SelectionTest.h"

namespace lumarte::editor {

// Every pixel but the centre takes the colour plus a random offset in
// -width..width-1 per channel (red, green, blue drawn in that order),
// clamped; the centre shows the colour itself.
TBitmap SelectByColorSwatch(const TSelectByColor& c, int width, int height, TRandomGenerator& rng);

}  // namespace lumarte::editor
