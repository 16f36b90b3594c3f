#include "app/cli/SaveFormats.h"

#include <cstring>

#include "app/cli/Pnm.h"
#include "imaging/BMPLoader.h"
#include "imaging/ColorReduction.h"
#include "imaging/FileUtils.h"
#include "imaging/GIFLoader.h"
#include "imaging/JPEGCodec.h"

namespace lumarte::cli {

using namespace imaging;

namespace {

template <typename F>
void WriteFile(const std::string& fileName, F write) {
  TFileStream stream(fileName, fmRead | fmWrite | fmCreate);
  write(stream);
  stream.Flush();
}

void SaveThroughRegistry(const std::string& fileName, const std::string& ext, TRevedBitmap& image,
                         const TSaveOptions&) {
  TBitmapLoader& saver = BitmapLoaders().FindSaver(ext);
  uint8_t caps = saver.Capabilities();
  if (caps & capSaveFile)
    saver.SaveToFile(fileName, ext, image);
  else if (caps & capSaveStream)
    WriteFile(fileName, [&](TBaseStream& s) { saver.SaveToStream(s, ext, image); });
  else
    throw ERevedBitmap("Unsupported file format");
}

int OwnBits(const TRevedBitmap& image) {
  return image.PixelFormat == pf8bit ? 8 : 24;
}

void SaveBmp(const std::string& fileName, const std::string&, TRevedBitmap& image,
             const TSaveOptions& options) {
  int bits = options.Bits ? options.Bits : OwnBits(image);
  WriteFile(fileName, [&](TBaseStream& s) { WriteBMP(s, image, bits); });
}

// PCX holds 8-bit paletted or 24-bit images: --bits converts between them.
void SavePcx(const std::string& fileName, const std::string& ext, TRevedBitmap& image,
             const TSaveOptions& options) {
  TRevedBitmap converted;
  TRevedBitmap* out = &image;
  if (options.Bits == 8 && image.PixelFormat != pf8bit) {
    converted = ReduceColors(image, {256, false});
    out = &converted;
  } else if (options.Bits == 24 && image.PixelFormat != pf24bit) {
    converted.New(image.Width, image.Height, pf24bit);
    for (int32_t i = 0; i < image.Size; ++i)
      std::memcpy(&converted.Map[3 * size_t(i)], &(*image.Palette)[3 * image.Map[i]], 3);
    out = &converted;
  }
  SaveThroughRegistry(fileName, ext, *out, options);
}

void SavePpm(const std::string& fileName, const std::string&, TRevedBitmap& image,
             const TSaveOptions&) {
  WriteFile(fileName, [&](TBaseStream& s) { WritePpm(s, image); });
}

void SavePgm(const std::string& fileName, const std::string&, TRevedBitmap& image,
             const TSaveOptions&) {
  WriteFile(fileName, [&](TBaseStream& s) { WritePgm(s, image); });
}

// JPEG at the codec's quality 90 unless --quality says otherwise; grey
// pictures go out with one component, as through the codec.
void SaveJpeg(const std::string& fileName, const std::string&, TRevedBitmap& image,
              const TSaveOptions& options) {
  TJPEGEncodeOptions jpeg;
  if (options.Quality >= 0) jpeg.Quality = options.Quality;
  jpeg.Grayscale = image.IsGrayScale();
  jpeg.Progressive = options.Progressive;
  std::string data;
  EncodeJPEG(image, jpeg, data);
  WriteFile(fileName, [&](TBaseStream& s) { s.WriteExact(data.data(), data.size()); });
}

// GIF reduces pictures of more than 256 colours and marks --transparent.
void SaveGif(const std::string& fileName, const std::string&, TRevedBitmap& image,
             const TSaveOptions& options) {
  if (!SaveGIF(fileName, image, false, options.Transparent, options.TransparentColor))
    throw ERevedBitmap("Unsupported pixel format");
}

const TSaveFormat kRegistry = {"", 0, SaveThroughRegistry};

const TSaveFormat kSaveFormats[] = {
    {"gif", optTransparent, SaveGif},
    {"jpg", optQuality | optProgressive, SaveJpeg},
    {"jpeg", optQuality | optProgressive, SaveJpeg},
    {"bmp", optBits1 | optBits4 | optBits8 | optBits24, SaveBmp},
    {"pcx", optBits8 | optBits24, SavePcx},
    {"ppm", 0, SavePpm},
    {"pgm", 0, SavePgm},
};

bool IsPnm(const std::string& ext) {
  std::string up = UpperCase(ext);
  return up == "PPM" || up == "PGM";
}

}  // namespace

const TSaveFormat& FindSaveFormat(const std::string& ext) {
  std::string up = UpperCase(ext);
  for (const TSaveFormat& f : kSaveFormats)
    if (UpperCase(f.Ext) == up) return f;
  return kRegistry;
}

unsigned BitsOption(int bits) {
  switch (bits) {
    case 1:
      return optBits1;
    case 4:
      return optBits4;
    case 8:
      return optBits8;
    case 24:
      return optBits24;
  }
  return 0;
}

void LoadImage(const std::string& fileName, TRevedBitmap& image) {
  if (!IsPnm(ExtractExt(fileName))) {
    image.LoadFromFile(fileName);
    return;
  }
  image.Dispose();
  try {
    TFileStream stream(fileName, fmRead | fmShareRead);
    ReadPnm(stream, image);
  } catch (...) {
    image.Dispose();
    throw;
  }
}

}  // namespace lumarte::cli
