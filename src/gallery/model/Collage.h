#pragma once
// Collage style: the thumbnails of a page composed into one picture with an
// image map over it.
#include <string>

#include "editor/model/Bitmap.h"
#include "base/Progress.h"
#include "base/Random.h"
#include "gallery/model/GalleryProject.h"
#include "gallery/model/HtmlWriters.h"

namespace lumarte::gallery {

struct TCollageRect {
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// One page's picture: thumbnails placed by the partitioning option.
class TCollageComposer {
 public:
  // first: list index of the page's first image; count: images in the list.
  TCollageComposer(const TGallerySettings& s, size_t first, size_t count,
                   TRandomGenerator& random);
  TCollageRect Place(const editor::TBitmap& thumb);
  // The canvas cut to the used extent plus one pixel.
  editor::TBitmap Finish() const;

 private:
  const TGallerySettings& S;
  TRandomGenerator& Random;
  editor::TBitmap Canvas;
  size_t First, Count;
  int UsedW = 0, UsedH = 0, GX = 0, GY = 0, J = 0;
  void Corner(int& x1, int& y1);
};

// The gallery code of the collage style; writes each page's picture as
// image folder + galleryFile (separators as "_") + page number + ".jpg".
std::string WriteCollage(GalleryProject& p, const TCodeContext& c, const std::string& galleryFile,
                         const std::string& imageFolder, ProgressReporter& progress);

}  // namespace lumarte::gallery
