#pragma once
// Hands a file to the desktop's default viewer (help pages, web pages).
#include <string>

namespace lumarte::platform {

// Raises ELumarteError when the desktop has no viewer for the file.
void OpenWithDefaultViewer(const std::string& fileName);

}  // namespace lumarte::platform
