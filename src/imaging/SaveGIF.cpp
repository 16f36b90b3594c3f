// Saving a picture of any colour count as a single-frame GIF file.
#include "imaging/ColorReduction.h"
#include "imaging/FileUtils.h"
#include "imaging/GIFLoader.h"

namespace lumarte::imaging {

bool SaveGIF(const std::string& fileName, const TRevedBitmap& bitmap, bool interlaced,
             bool transparent, uint32_t transparentColor) {
  if (fileName.empty()) throw ERevedBitmap("No file name");
  // Reduction keeps pictures of at most 256 colours exactly as they are.
  TRevedBitmap reduced;
  if (bitmap.PixelFormat == pf24bit) reduced = ReduceColors(bitmap, TColorReductionOptions{});
  TGIFWriterFrame frame;
  frame.Bitmap = bitmap.PixelFormat == pf24bit ? &reduced : &bitmap;
  frame.Interlaced = interlaced;
  frame.Transparent = transparent;
  frame.TransparentColor = transparentColor;
  TMemoryStream data;
  if (!WriteGIF(data, {frame}, TGIFWriterSettings{})) return false;
  SaveReplacing(fileName, [&](const std::string& temp) {
    TFileStream file(temp, fmRead | fmWrite | fmCreate);
    file.WriteExact(data.Data.data(), data.Data.size());
    file.Flush();
  });
  return true;
}

}  // namespace lumarte::imaging
