#include "editor/model/MetafileAccess.h"

#include "imaging/Errors.h"

namespace lumarte::editor {

namespace {
TMetafileFunctions Installed;
}

void InstallMetafileFunctions(const TMetafileFunctions& functions) {
  Installed = functions;
}

void LoadMetafileInto(const std::string& fileName, TBitmap& raster) {
  if (!Installed.Load) throw EUnsupportedFileFormat("Unsupported file format");
  Installed.Load(fileName, raster);
}

void SaveRasterAsMetafile(const std::string& fileName, const TBitmap& raster) {
  if (!Installed.Save) throw EUnsupportedFileFormat("Unsupported file format");
  Installed.Save(fileName, raster);
}

}  // namespace lumarte::editor
