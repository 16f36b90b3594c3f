#pragma once
// Windows metafiles (WMF, EMF) to and from the working raster.
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::platform {

// Reads a WMF or EMF (told apart by content) and draws it at its own size
// onto a white raster of that size. Bad files raise EFormatError; the raster
// is only replaced when the whole load succeeds.
void LoadMetafile(const std::string& fileName, lumarte::editor::TBitmap& raster);
// Writes the raster as one bitmap record: ".wmf" gives a placeable WMF, ".emf"
// an EMF; other extensions raise "Format not supported!". A failed save
// leaves an existing file as it was.
void SaveMetafile(const std::string& fileName, const lumarte::editor::TBitmap& raster);

}  // namespace lumarte::platform
