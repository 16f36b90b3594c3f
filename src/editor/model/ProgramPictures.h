#pragma once
// The pictures read from the program folder at start: the dialog background
// ("Lumarte.def") and the placeholder shown when no image is open
// ("Lumarte.dwf").
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::editor {

inline constexpr const char* kDialogBackgroundFile = "Lumarte.def";
inline constexpr const char* kPlaceholderFile = "Lumarte.dwf";

// The codec that can read data beginning with these bytes, as its extension
// ("BMP", "JPG", "PNG", "GIF"), or "" when none is recognised.
std::string SniffImageExtension(const std::string& head);

// A calm grey gradient, used when a program picture is missing or unreadable.
TBitmap NeutralPicture(int width = 320, int height = 240);

// The picture in fileName, read by its content (the names carry no image
// extension); the neutral picture when the file is missing or not readable.
TBitmap LoadProgramPicture(const std::string& fileName);

}  // namespace lumarte::editor
