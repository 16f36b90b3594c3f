// The JPEG 2000 codec plug-in: the five functions of the codec library's
// plug-in contract, over OpenJPEG.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Jp2Codec.h"
#include "imaging/ImageContainer.h"

using lumarte::jp2::TJp2Image;

namespace {

char kLoadFilter[] = "JPEG 2000 image (*.jp2;*.jpc;*.j2k;*.j2c)|*.jp2;*.jpc;*.j2k;*.j2c";
char kSaveFilter[] = "JPEG 2000 image (*.jp2)|*.jp2|JPEG 2000 codestream (*.jpc;*.j2k)|*.jpc;*.j2k";
// Larger files are not pictures this plug-in can hold in memory.
constexpr long kMaxFileSize = 1L << 30;

int ReadWholeFile(const char* name, std::string& data) {
  std::FILE* f = std::fopen(name, "rb");
  if (!f) return kLibCannotOpen;
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  int code =
      size < 0 || size > kMaxFileSize || std::fseek(f, 0, SEEK_SET) != 0 ? kLibBadData : kLibOk;
  if (code == kLibOk) {
    data.resize(static_cast<size_t>(size));
    if (std::fread(data.data(), 1, data.size(), f) != data.size()) code = kLibBadData;
  }
  std::fclose(f);
  return code;
}

int WriteWholeFile(const char* name, const std::string& data) {
  std::FILE* f = std::fopen(name, "wb");
  if (!f) return kLibCannotOpen;
  bool written = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  if (std::fclose(f) != 0) return kLibCannotClose;
  return written ? kLibOk : kLibBadData;
}

bool IsGreyRamp(const uint8_t* palette) {
  for (int i = 0; i < 256; ++i)
    for (int k = 0; k < 3; ++k)
      if (palette[3 * i + k] != i) return false;
  return true;
}

// The container's pixels as grey or blue, green, red samples.
int FromContainer(const TImageContainer& c, TJp2Image& image) {
  if (c.Format != 1 && c.Format != 3) return kLibUnsupportedFormat;
  if (c.Width < 1 || c.Height < 1 || !c.Data) return kLibBadData;
  const size_t pixels = size_t(c.Width) * size_t(c.Height);
  image.Width = c.Width;
  image.Height = c.Height;
  if (c.Format == 3 || !c.Palette || IsGreyRamp(c.Palette)) {
    image.Planes = c.Format;
    image.Samples.assign(c.Data, c.Data + pixels * image.Planes);
    return kLibOk;
  }
  image.Planes = 3;
  image.Samples.resize(pixels * 3);
  for (size_t i = 0; i < pixels; ++i)
    std::memcpy(&image.Samples[3 * i], c.Palette + 3 * c.Data[i], 3);
  return kLibOk;
}

bool IsCodestreamExt(const char* ext) {
  std::string up = ext ? ext : "";
  for (auto& ch : up) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return up == "JPC" || up == "J2K" || up == "J2C";
}

}  // namespace

int LibLoadImage(char* fileName, char*, TImageContainer* container) {
  if (!fileName || !container) return kLibCannotOpen;
  try {
    std::string data;
    int code = ReadWholeFile(fileName, data);
    TJp2Image image;
    if (code == kLibOk)
      code = lumarte::jp2::DecodeJp2(reinterpret_cast<const uint8_t*>(data.data()), data.size(),
                                     image);
    if (code != kLibOk) return code;
    auto* pixels = static_cast<uint8_t*>(std::malloc(image.Samples.size()));
    if (!pixels) return kLibBadData;
    std::memcpy(pixels, image.Samples.data(), image.Samples.size());
    container->Width = image.Width;
    container->Height = image.Height;
    container->LineWidth = image.Width;
    container->Format = image.Planes;
    container->Data = pixels;
    container->Palette = nullptr;
    return kLibOk;
  } catch (...) {  // nothing may cross into the program
    return kLibBadData;
  }
}

int LibSaveImage(char* fileName, char* ext, TImageContainer* container) {
  if (!fileName || !container) return kLibCannotOpen;
  try {
    TJp2Image image;
    int code = FromContainer(*container, image);
    if (code != kLibOk) return code;
    std::string encoded;
    code = lumarte::jp2::EncodeJp2(image, !IsCodestreamExt(ext),
                                   lumarte::jp2::ParseRateOption(container->Options), encoded);
    return code == kLibOk ? WriteWholeFile(fileName, encoded) : code;
  } catch (...) {
    return kLibBadData;
  }
}

int LibFreeImage(TImageContainer* container) {
  if (container) {
    std::free(container->Data);
    container->Data = nullptr;
  }
  return kLibOk;
}

char* LibGetLoadFilter() {
  return kLoadFilter;
}
char* LibGetSaveFilter() {
  return kSaveFilter;
}
