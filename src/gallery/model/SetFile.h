#pragma once
// ".set" files: the image list with every per-image text on one line.
#include <string>
#include <vector>

#include "gallery/model/GalleryProject.h"

namespace lumarte::gallery {

// Highest index first, entry 0 last, CR LF at the end.
std::string WriteSetText(const std::vector<GalleryEntry>& entries);
// Appends the entries of a set text to the project through AddImage; a record
// whose image is rejected is skipped whole. Returns how many were added.
size_t ReadSetText(GalleryProject& project, const std::string& text,
                   editor::TEditorPrompts* report = nullptr);

void SaveSetFile(const std::string& path, const std::vector<GalleryEntry>& entries);
size_t LoadSetFile(GalleryProject& project, const std::string& path,
                   editor::TEditorPrompts* report = nullptr);

}  // namespace lumarte::gallery
