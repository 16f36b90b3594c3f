#pragma once
// The JPEG object the editor and the JPEG options dialog work with: a
// picture, its compressed form and the encoding settings.
#include <string>

#include "imaging/JPEGCodec.h"

namespace lumarte::imaging {

class TJPEGImage {
 public:
  int CompressionQuality = 90;  // 0..100; below 1 counts as 1
  bool Grayscale = false;       // write one grey component
  bool ProgressiveEncoding = false;
  int64_t MaxPixels = int64_t{1} << 28;  // larger files are refused on load

  // Takes a copy of the picture; earlier compressed data are dropped.
  void Assign(const TRevedBitmap& picture);
  // Encodes the picture now with the current settings.
  void Compress();
  // Writes the compressed data, compressing first when there are none.
  void SaveToStream(TBaseStream& stream);
  void SaveToFile(const std::string& fileName);
  // Reads the rest of the stream as JPEG data and decodes it.
  void LoadFromStream(TBaseStream& stream);
  void LoadFromFile(const std::string& fileName);

  const TRevedBitmap& Picture() const { return Bitmap; }
  const std::string& Data() const { return Compressed; }
  int Width() const { return Bitmap.Width; }
  int Height() const { return Bitmap.Height; }
  // The grey test of loaded data: one grey component.
  bool IsGrayscaleData() const { return GrayData; }

 private:
  TRevedBitmap Bitmap;
  std::string Compressed;
  bool GrayData = false;
};

// Everything left in a stream, read in one piece when its size is known.
std::string ReadRest(TBaseStream& stream);

}  // namespace lumarte::imaging
