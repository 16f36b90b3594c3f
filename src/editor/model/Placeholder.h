#pragma once
// The picture shown while no image is open.
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::editor {

// The JPEG "Lumarte.dwf" of the program folder; when it is missing or does
// not decode, a plain generated picture instead.
TBitmap LoadPlaceholderPicture(const std::string& programFolder);
TBitmap GeneratedPlaceholder();

}  // namespace lumarte::editor
