#pragma once
#include <QImage>

#include "imaging/RevedBitmap.h"

namespace lumarte::platform {

// An image over rows of (blue, green, red) pixels the caller keeps alive: copy
// or convert it before the rows go.
QImage BgrRowsView(const uint8_t* rows, int width, int height, int bytesPerLine);
// A deep copy of a pixel buffer for display; a null image when it is empty.
QImage QImageOf(const imaging::TRevedBitmap& bitmap);

}  // namespace lumarte::platform
