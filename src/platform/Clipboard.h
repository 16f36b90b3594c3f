#pragma once
// The clipboard's picture.
#include <optional>

#include "editor/model/Bitmap.h"

namespace lumarte::platform {

// Nothing when the clipboard holds no picture.
std::optional<lumarte::editor::TBitmap> ClipboardPicture();
void SetClipboardPicture(const lumarte::editor::TBitmap& raster);

}  // namespace lumarte::platform
