#pragma once
// The open and save branches of ".WMF" and ".EMF" files. Metafiles are
// rendered and recorded by the platform layer, which the model cannot link;
// the application installs the platform's two functions here at start.
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::editor {

struct TMetafileFunctions {
  // Renders the metafile at its own size onto a new raster.
  void (*Load)(const std::string& fileName, TBitmap& raster) = nullptr;
  // Writes a metafile holding the raster.
  void (*Save)(const std::string& fileName, const TBitmap& raster) = nullptr;
};

void InstallMetafileFunctions(const TMetafileFunctions& functions);
// Raise "Unsupported file format" while nothing is installed.
void LoadMetafileInto(const std::string& fileName, TBitmap& raster);
void SaveRasterAsMetafile(const std::string& fileName, const TBitmap& raster);

}  // namespace lumarte::editor
