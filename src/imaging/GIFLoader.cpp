// The registered GIF codec: the first frame in, one frame out.
#include "imaging/GIFLoader.h"

namespace lumarte::imaging {

void TGifLoader::LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) {
  if (!CanLoad(ext)) throw EUnsupportedFileFormat("Unsupported file format");
  TGIFImage image;
  image.LoadFromStream(stream);
  image.FirstPicture(bitmap);
}

void TGifLoader::SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) {
  if (!CanSave(ext)) throw EUnsupportedFileFormat("Unsupported file format");
  TGIFWriterFrame frame;
  frame.Bitmap = &bitmap;
  // A refusal (more than 256 colours) leaves the stream untouched on purpose.
  WriteGIF(stream, {frame}, TGIFWriterSettings{});
}

TGifLoader& GifLoader() {
  static TGifLoader loader;
  return loader;
}

}  // namespace lumarte::imaging
