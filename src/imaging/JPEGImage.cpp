#include "imaging/JPEGImage.h"

#include <algorithm>

#include "imaging/FileUtils.h"

namespace lumarte::imaging {

std::string ReadRest(TBaseStream& stream) {
  if (auto* seekable = dynamic_cast<TSeekableStream*>(&stream)) {
    int64_t left = seekable->Available();
    std::string data(static_cast<size_t>(std::max<int64_t>(left, 0)), '\0');
    stream.ReadExact(data.data(), data.size());
    return data;
  }
  TMemoryStream rest;
  rest.CopyFrom(stream);
  return std::move(rest.Data);
}

void TJPEGImage::Assign(const TRevedBitmap& picture) {
  Bitmap.Assign(picture);
  Compressed.clear();
  GrayData = false;
}

void TJPEGImage::Compress() {
  std::string data;
  EncodeJPEG(Bitmap, {CompressionQuality, Grayscale, ProgressiveEncoding}, data);
  Compressed = std::move(data);
}

void TJPEGImage::SaveToStream(TBaseStream& stream) {
  if (Compressed.empty()) Compress();
  stream.WriteExact(Compressed.data(), Compressed.size());
}

void TJPEGImage::SaveToFile(const std::string& fileName) {
  if (Compressed.empty()) Compress();
  SaveReplacing(fileName, [&](const std::string& temp) {
    TFileStream file(temp, fmRead | fmWrite | fmCreate);
    SaveToStream(file);
    file.Flush();
  });
}

void TJPEGImage::LoadFromStream(TBaseStream& stream) {
  std::string data = ReadRest(stream);
  TRevedBitmap picture;
  TJPEGDecodeResult r =
      DecodeJPEG(reinterpret_cast<const uint8_t*>(data.data()), data.size(), picture, MaxPixels);
  Bitmap.Assign(picture);
  Compressed = std::move(data);
  GrayData = r.Grayscale;
}

void TJPEGImage::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmRead | fmShareRead);
  LoadFromStream(file);
}

}  // namespace lumarte::imaging
