#include "editor/model/DocumentCodecs.h"

#include "imaging/Errors.h"

namespace lumarte::editor {

// Each call is wired to its codec as the codec joins the library; a format
// whose codec is missing reports itself as unsupported.
namespace {
[[noreturn]] void Unsupported() { throw EUnsupportedFileFormat("Unsupported file format"); }
}  // namespace

TTransparency ReadGifTransparency(const std::string&) { Unsupported(); }
TTransparency ReadPngTransparency(const std::string&) { Unsupported(); }
void WriteGifFile(const std::string&, const TBitmap&) { Unsupported(); }
void WritePngFile(const std::string&, const TBitmap&, bool, TColor) { Unsupported(); }
void WriteJpegFile(const std::string&, const TBitmap&, int, bool) { Unsupported(); }
void WriteBmpFile(const std::string&, const TBitmap&, int) { Unsupported(); }

}  // namespace lumarte::editor

namespace lumarte::editor {

TBitmap ReducedToDepth(const TBitmap& raster, int bitsPerPixel) {
  if (bitsPerPixel == 24) return raster;
  throw EUnsupportedFileFormat("Unsupported file format");
}

}  // namespace lumarte::editor
