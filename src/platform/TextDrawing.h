#pragma once
// The Write effect's platform text drawing: Qt's painter on the raster.
#include <memory>

#include "effects/model/InsertEffects.h"

namespace lumarte::platform {

// A renderer for the font the parameters name (family, size, bold, italic).
std::unique_ptr<effects::TTextRenderer> MakeQtTextRenderer(const effects::WriteParams& p);
// Makes it the program's platform text drawing.
void InstallTextDrawing();

}  // namespace lumarte::platform
