#include "imaging/JPEGLoader.h"

#include "imaging/JPEGCodec.h"
#include "imaging/JPEGImage.h"

namespace lumarte::imaging {

void TJPEGLoader::LoadFromStream(TBaseStream& stream, const std::string& ext,
                                 TRevedBitmap& bitmap) {
  if (!CanLoad(ext)) throw EUnsupportedFileFormat("Unsupported file format");
  std::string data = ReadRest(stream);
  DecodeJPEG(reinterpret_cast<const uint8_t*>(data.data()), data.size(), bitmap);
}

void TJPEGLoader::SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) {
  if (!CanSave(ext)) throw EUnsupportedFileFormat("Unsupported file format");
  TJPEGEncodeOptions options;
  options.Grayscale = bitmap.IsGrayScale();
  std::string data;
  EncodeJPEG(bitmap, options, data);
  stream.WriteExact(data.data(), data.size());
}

TJPEGLoader& JPEGLoader() {
  static TJPEGLoader loader;
  return loader;
}

}  // namespace lumarte::imaging
