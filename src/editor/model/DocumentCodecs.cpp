#include "editor/model/DocumentCodecs.h"

#include "editor/model/RasterConversion.h"
#include "imaging/ColorReduction.h"
#include "imaging/Errors.h"

namespace lumarte::editor {

// Each call is wired to its codec as the codec joins the library; a format
// whose codec is missing reports itself as unsupported.
namespace {
[[noreturn]] void Unsupported() {
  throw EUnsupportedFileFormat("Unsupported file format");
}
}  // namespace

TTransparency ReadGifTransparency(const std::string&) {
  Unsupported();
}
TTransparency ReadPngTransparency(const std::string&) {
  Unsupported();
}
void WriteGifFile(const std::string&, const TBitmap&) {
  Unsupported();
}
void WritePngFile(const std::string&, const TBitmap&, bool, TColor) {
  Unsupported();
}
void WriteJpegFile(const std::string&, const TBitmap&, int, bool) {
  Unsupported();
}
void WriteBmpFile(const std::string&, const TBitmap&, int) {
  Unsupported();
}

}  // namespace lumarte::editor

namespace lumarte::editor {

imaging::TRevedBitmap ReducedBuffer(const TBitmap& raster, int bitsPerPixel) {
  imaging::TRevedBitmap full;
  AssignFromRaster(full, raster);
  imaging::TColorReductionOptions options;
  options.MaxColors = 1 << bitsPerPixel;
  // Sixteen colours or two need error diffusion to keep shades readable.
  options.Dither = bitsPerPixel < 8;
  return imaging::ReduceColors(full, options);
}

TBitmap ReducedToDepth(const TBitmap& raster, int bitsPerPixel) {
  if (bitsPerPixel == 24 || raster.Empty()) return raster;
  TBitmap shown;
  AssignTo(ReducedBuffer(raster, bitsPerPixel), shown);
  return shown;
}

}  // namespace lumarte::editor
