#pragma once
// What the save-option dialogs show before anything is saved.
#include <cstdint>
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::editor {

// A free name in the temporary folder: a random number below 999999 and the
// extension (with its dot), drawn again while such a file exists.
std::string TemporaryFileName(const std::string& ext);

// The raster with every pixel of the transparent colour shown as a grey
// checkerboard of 8-pixel squares, the way viewers show transparency.
TBitmap MarkTransparentPixels(const TBitmap& raster, TColor transparentColor);

struct TJpegPreview {
  TBitmap Decoded;
  int64_t FileSize = 0;
};

// The raster written as a JPEG file with the given options and read back:
// what the file will look like and how large it is. The temporary file is
// removed afterwards.
TJpegPreview MakeJpegPreview(const TBitmap& raster, int quality, bool progressive);

// "N Bytes", the size label of the JPEG dialog.
std::string SizeText(int64_t bytes);

}  // namespace lumarte::editor
