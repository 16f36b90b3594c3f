#pragma once
// The working raster as a Qt image and back.
#include <QImage>

#include "editor/model/Bitmap.h"

namespace lumarte::platform {

// A deep copy in Format_RGB32.
QImage ToQImage(const lumarte::editor::TBitmap& raster);
// Any Qt image as a 24-bit raster; alpha is dropped (pixels keep their colour).
lumarte::editor::TBitmap FromQImage(const QImage& image);
// The raster stretched to width x height by the program's nearest-neighbour
// rule (editor::ResampleNearest); cheap for thumbnails of large images since
// only the output is visited.
QImage StretchedImage(const lumarte::editor::TBitmap& raster, int width, int height);

}  // namespace lumarte::platform
