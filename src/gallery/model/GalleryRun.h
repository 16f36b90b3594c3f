#pragma once
// A whole gallery run: images, thumbnails, template files and HTML pages,
// everything recorded so that Undo takes it back.
#include <string>

#include "base/Progress.h"
#include "gallery/model/GalleryImages.h"
#include "gallery/model/GalleryProject.h"

namespace lumarte::gallery {

struct TGalleryRunResult {
  std::string OpenFile;  // the page to show in the browser; empty without HTML
  std::string Code;      // the gallery code with its navigation
};

// The image folder with its trailing "/".
std::string ImageFolder(const TGallerySettings& s);

TGalleryRunResult RunGallery(GalleryProject& p, ProgressReporter& progress,
                             TGalleryQuestions& ask);

}  // namespace lumarte::gallery
