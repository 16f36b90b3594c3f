#pragma once
// PNG reading and writing on the library's pixel buffer, with the library's
// own Deflate codec for the image data.
#include <cstdint>
#include <string>

#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

// The colour value meaning "no transparent colour".
constexpr uint32_t kNoTransparentColor = 0x1FFFFFFF;

// What a PNG's tRNS chunk says, in the form documents keep it.
struct TPNGTransparency {
  bool Transparent = false;  // a usable tRNS chunk names a fully or partly transparent colour
  // The colour of the transparent pixels as the loaded image shows them (after
  // gamma correction), as a colour value 0x00BBGGRR; kNoTransparentColor when
  // Transparent is false.
  uint32_t Color = kNoTransparentColor;
  // Palette images: the index named (the first fully transparent entry, else
  // the first partly transparent one); -1 otherwise.
  int PaletteIndex = -1;
};

// The choices of a PNG save (what the PNG save dialog sets).
struct TPNGSaveOptions {
  bool Transparent = false;  // write a tRNS chunk
  // Grey and true-colour output: a colour value 0x00BBGGRR (grey output uses
  // its red byte). Palette output: the palette index (0..255).
  uint32_t TransparentColor = kNoTransparentColor;
  double Gamma = 1.0;  // written as a gAMA chunk unless 0 or 1
};

class TPNGLoader : public TBitmapLoader {
 public:
  // Gamma of the last gAMA chunk read: 1.0 at the start of each load, 0 once
  // the correction has been applied. Written by SaveToStream unless 0 or 1.
  double Gamma = 1.0;
  // Used by SaveToStream (see TPNGSaveOptions).
  uint32_t TransparentColor = kNoTransparentColor;
  bool Transparent = false;
  // Bit depth of the last PNG read.
  int BitDepth = 8;
  // Transparency of the last PNG read.
  TPNGTransparency FileTransparency;

  bool CanLoad(const std::string& ext) override { return ExtIn(ext, {"PNG"}); }
  bool CanSave(const std::string& ext) override { return ExtIn(ext, {"PNG"}); }
  std::string GetLoadFilter() override { return "Portable network graphic (*.png)|*.png"; }
  void LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
  // The stream should be seekable (the image data's length is patched
  // afterwards); other streams get the file assembled in memory first.
  void SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
};

// The registered PNG codec.
TPNGLoader& PNGLoader();

// Loads a PNG file (a failed load leaves the bitmap empty) and returns its
// transparency, for documents.
TPNGTransparency LoadPNGFile(const std::string& fileName, TRevedBitmap& bitmap);

// Writes a PNG with the given options. Grey 8-bit images (grey-ramp palette)
// become colour type 0, other 8-bit images colour type 3, 24-bit images type
// 2; bit depth 8, one IDAT chunk coded with fixed Huffman codes.
void SavePNG(TBaseStream& stream, const TRevedBitmap& bitmap, const TPNGSaveOptions& options);
// The same into a file, which is replaced only when the whole file is written.
void SavePNGFile(const std::string& fileName, const TRevedBitmap& bitmap,
                 const TPNGSaveOptions& options);

}  // namespace lumarte::imaging
