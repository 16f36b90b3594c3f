#pragma once
// Thumbnail and published-image sizes, and the JPEG qualities of a run.
#include "gallery/model/GalleryProject.h"

namespace lumarte::gallery {

struct TThumbSize {
  int ResampleWidth = 0, ResampleHeight = 0;  // what the picture is resampled to
  int Width = 0, Height = 0;                  // the final picture (cut in hard-limit mode)
};

// (w, h) limited to W × H keeping the aspect; smaller pictures stay as they are.
void LimitSize(int& w, int& h, int W, int H);
TThumbSize ThumbnailSize(int w, int h, int W, int H, TSizingMode mode);

int PublishedQuality(TThumbQuality q);
int ThumbnailQuality(TThumbQuality q);
int CollageQuality(TThumbQuality q);

// Name without its last four characters plus "_th.jpg"; the name itself when
// the published images serve as thumbnails.
std::string ThumbnailFileName(const std::string& name, bool imagesAreThumbnails);

}  // namespace lumarte::gallery
