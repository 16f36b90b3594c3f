#pragma once
#include <QImage>

#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

// A deep copy of a pixel buffer for display; a null image when it is empty.
QImage QImageOf(const TRevedBitmap& bitmap);

}  // namespace lumarte::imaging
