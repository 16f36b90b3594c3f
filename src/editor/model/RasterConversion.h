#pragma once
// Exact conversions between the codec library's pixel buffer and the
// 24-bit working raster.
#include "editor/model/Bitmap.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::editor {

// Pixel buffer to working raster; 8-bit indices are expanded through the
// palette. Nothing happens when the buffer is empty.
void AssignTo(const imaging::TRevedBitmap& buffer, TBitmap& raster);
// Working raster to a 24-bit pixel buffer; an empty raster empties the buffer.
void AssignFromRaster(imaging::TRevedBitmap& buffer, const TBitmap& raster);

}  // namespace lumarte::editor
