#pragma once
// The codec calls of the editor's format branches that go beyond the
// registry: transparency read back for documents, and the writers with the
// options the save dialogs chose.
#include <string>

#include "editor/model/Bitmap.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::editor {

struct TTransparency {
  bool Transparent = false;
  TColor Color = clInvalid;
};

// The first frame's transparency of a GIF file.
TTransparency ReadGifTransparency(const std::string& fileName);
// The transparency a PNG file declares (its tRNS chunk).
TTransparency ReadPngTransparency(const std::string& fileName);

// The raster reduced to at most 256 colours, written as a one-frame GIF with
// the reduced raster's bottom-left colour as its transparent colour.
void WriteGifFile(const std::string& fileName, const TBitmap& raster);
// The PNG codec with its transparency fields set.
void WritePngFile(const std::string& fileName, const TBitmap& raster, bool transparent,
                  TColor transparentColor);
// Quality 0..100 as the dialog's bar gives it.
void WriteJpegFile(const std::string& fileName, const TBitmap& raster, int quality,
                   bool progressive);
// A Windows bitmap of 24, 8, 4 or 1 bits per pixel.
void WriteBmpFile(const std::string& fileName, const TBitmap& raster, int bitsPerPixel);

}  // namespace lumarte::editor

namespace lumarte::editor {

// What a Windows bitmap of that depth will show: the raster reduced to
// 2^bits colours (24 bits keeps it as it is).
TBitmap ReducedToDepth(const TBitmap& raster, int bitsPerPixel);
// The same as a paletted pixel buffer (bits 8, 4 or 1).
imaging::TRevedBitmap ReducedBuffer(const TBitmap& raster, int bitsPerPixel);

}  // namespace lumarte::editor
