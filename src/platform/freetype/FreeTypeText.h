#pragma once
// The Write effect's text drawing without a window system: FreeType on the
// raster, with the same sizes, metrics and smoothing as the window's.
#include <memory>

#include "effects/model/InsertEffects.h"

namespace lumarte::platform {

// A renderer for the font the parameters name; raises ELumarteError when no
// such font is installed.
std::unique_ptr<effects::TTextRenderer> MakeFreeTypeTextRenderer(const effects::WriteParams& p);
// Makes it the program's platform text drawing.
void InstallFreeTypeText();

}  // namespace lumarte::platform
