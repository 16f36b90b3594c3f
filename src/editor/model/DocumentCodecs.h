#pragma once
// The codec calls of the editor's format branches that go beyond the
// registry: pictures read together with their transparency, and the
// writers with the options the save dialogs chose.
#include <string>

#include "editor/model/Bitmap.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::editor {

struct TTransparency {
  bool Transparent = false;
  TColor Color = clInvalid;  // clInvalid when not transparent
};

// A GIF's first frame and whether it marks a transparent colour.
TTransparency LoadGifFile(const std::string& fileName, TBitmap& raster);
// A PNG and the transparent colour its tRNS chunk names.
TTransparency LoadPngFile(const std::string& fileName, TBitmap& raster);

// The raster reduced to at most 256 colours, written as a one-frame GIF with
// the reduced raster's bottom-left colour as its transparent colour.
void WriteGifFile(const std::string& fileName, const TBitmap& raster);
// The PNG codec with its transparency fields set.
void WritePngFile(const std::string& fileName, const TBitmap& raster, bool transparent,
                  TColor transparentColor);
// Quality 0..100 as the dialog's bar gives it (below 1 counts as 1).
void WriteJpegFile(const std::string& fileName, const TBitmap& raster, int quality,
                   bool progressive);
// A Windows bitmap of 24, 8, 4 or 1 bits per pixel; fewer than 24 bits hold
// exactly what ReducedToDepth shows.
void WriteBmpFile(const std::string& fileName, const TBitmap& raster, int bitsPerPixel);

// The same writers on a pixel buffer, which keeps its own depth: an 8-bit
// buffer stays paletted where the format allows. A transparent colour of an
// 8-bit colour PNG names the first palette entry of that colour (none when
// the palette lacks it).
void WritePngFile(const std::string& fileName, const imaging::TRevedBitmap& image, bool transparent,
                  TColor transparentColor);
void WriteBmpFile(const std::string& fileName, const imaging::TRevedBitmap& image,
                  int bitsPerPixel);

// What a Windows bitmap of that depth will show: the raster reduced to
// 2^bits colours (24 bits keeps it as it is).
TBitmap ReducedToDepth(const TBitmap& raster, int bitsPerPixel);
// The same as a paletted pixel buffer (bits 8, 4 or 1).
imaging::TRevedBitmap ReducedBuffer(const TBitmap& raster, int bitsPerPixel);
imaging::TRevedBitmap ReducedBuffer(const imaging::TRevedBitmap& image, int bitsPerPixel);

struct TJpegPreview {
  TBitmap Decoded;
  int64_t FileSize = 0;
};

// The raster compressed with the given options and decoded again: what the
// file will look like and how many bytes it takes.
TJpegPreview MakeJpegPreview(const TBitmap& raster, int quality, bool progressive);

}  // namespace lumarte::editor
