#pragma once
#include <QImage>

#include "imaging/RevedBitmap.h"

namespace lumarte::platform {

// A deep copy of a pixel buffer for display; a null image when it is empty.
QImage QImageOf(const imaging::TRevedBitmap& bitmap);

}  // namespace lumarte::platform
