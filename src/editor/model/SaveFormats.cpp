#include "editor/model/SaveFormats.h"

#include <cstring>

#include "editor/model/DocumentCodecs.h"
#include "imaging/ColorReduction.h"
#include "imaging/FileUtils.h"
#include "imaging/GIFLoader.h"
#include "imaging/ICOLoader.h"
#include "imaging/ImageDLLLoader.h"
#include "imaging/JPEGCodec.h"
#include "imaging/PNGLoader.h"
#include "imaging/PNMCodec.h"

namespace lumarte::editor {

using namespace imaging;

namespace {

template <typename F>
void WriteFile(const std::string& fileName, F write) {
  TFileStream stream(fileName, fmRead | fmWrite | fmCreate);
  write(stream);
  stream.Flush();
}

// The registry's codecs take a buffer they may change: they get a copy.
void SaveThroughRegistry(const std::string& fileName, const std::string& ext,
                         const TRevedBitmap& image, const TSaveOptions&) {
  TBitmapLoader& saver = BitmapLoaders().FindSaver(ext);
  uint8_t caps = saver.Capabilities();
  TRevedBitmap copy(image);
  if (caps & capSaveFile)
    saver.SaveToFile(fileName, ext, copy);
  else if (caps & capSaveStream)
    WriteFile(fileName, [&](TBaseStream& s) { saver.SaveToStream(s, ext, copy); });
  else
    throw ERevedBitmap("Unsupported file format");
}

int OwnBits(const TRevedBitmap& image) {
  return image.PixelFormat == pf8bit ? 8 : 24;
}

void SaveBmp(const std::string& fileName, const std::string&, const TRevedBitmap& image,
             const TSaveOptions& options) {
  WriteBmpFile(fileName, image, options.Bits ? options.Bits : OwnBits(image));
}

// PCX holds 8-bit paletted or 24-bit images: Bits converts between them.
void SavePcx(const std::string& fileName, const std::string& ext, const TRevedBitmap& image,
             const TSaveOptions& options) {
  if (options.Bits == 8 && image.PixelFormat != pf8bit)
    return SaveThroughRegistry(fileName, ext, ReduceColors(image, {256, false}), options);
  if (options.Bits == 24 && image.PixelFormat != pf24bit) {
    TRevedBitmap full;
    full.New(image.Width, image.Height, pf24bit);
    for (int32_t i = 0; i < image.Size; ++i)
      std::memcpy(&full.Map[3 * size_t(i)], &(*image.Palette)[3 * image.Map[i]], 3);
    return SaveThroughRegistry(fileName, ext, full, options);
  }
  SaveThroughRegistry(fileName, ext, image, options);
}

void SavePpm(const std::string& fileName, const std::string&, const TRevedBitmap& image,
             const TSaveOptions&) {
  WriteFile(fileName, [&](TBaseStream& s) { WritePpm(s, image); });
}

void SavePgm(const std::string& fileName, const std::string&, const TRevedBitmap& image,
             const TSaveOptions&) {
  WriteFile(fileName, [&](TBaseStream& s) { WritePgm(s, image); });
}

void SavePng(const std::string& fileName, const std::string&, const TRevedBitmap& image,
             const TSaveOptions& options) {
  WritePngFile(fileName, image, options.Transparent, options.TransparentColor);
}

// JPEG at the codec's quality 90 unless Quality says otherwise; grey
// pictures go out with one component, as through the codec.
void SaveJpeg(const std::string& fileName, const std::string&, const TRevedBitmap& image,
              const TSaveOptions& options) {
  TJPEGEncodeOptions jpeg;
  if (options.Quality >= 0) jpeg.Quality = options.Quality;
  jpeg.Grayscale = image.IsGrayScale();
  jpeg.Progressive = options.Progressive;
  std::string data;
  EncodeJPEG(image, jpeg, data);
  WriteFile(fileName, [&](TBaseStream& s) { s.WriteExact(data.data(), data.size()); });
}

// The rate text the JPEG 2000 dialog hands to the codec library.
void SaveJpeg2000(const std::string& fileName, const std::string& ext, const TRevedBitmap& image,
                  const TSaveOptions& options) {
  ImageDLLLoader().SaveWithOptions(fileName, ext, image,
                                   Jpeg2000OptionsText(options.Lossy, options.Rate));
}

// GIF holds at most 256 colours; Transparent marks the given colour.
void SaveGif(const std::string& fileName, const std::string&, const TRevedBitmap& image,
             const TSaveOptions& options) {
  if (!SaveGIF(fileName, image, false, options.Transparent, options.TransparentColor))
    throw ERevedBitmap("Unsupported pixel format");
}

const TSaveFormat kRegistry = {"", 0, SaveThroughRegistry};

const TSaveFormat kSaveFormats[] = {
    {"gif", optTransparent, SaveGif},
    {"png", optTransparent, SavePng},
    {"jpg", optQuality | optProgressive, SaveJpeg},
    {"jpeg", optQuality | optProgressive, SaveJpeg},
    {"jp2", optRate | optLossless, SaveJpeg2000},
    {"jpc", optRate | optLossless, SaveJpeg2000},
    {"bmp", optAnyBits, SaveBmp},
    {"pcx", optBits8 | optBits24, SavePcx},
    {"ppm", 0, SavePpm},
    {"pgm", 0, SavePgm},
};

template <typename F>
void LoadCleanly(TRevedBitmap& image, F load) {
  image.Dispose();
  try {
    load();
  } catch (...) {
    image.Dispose();
    throw;
  }
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

void LoadImageBuffer(const std::string& fileName, TRevedBitmap& image) {
  const std::string ext = UpperCase(ExtractExt(fileName));
  // The registered PNG and icon codecs remember the last file they read:
  // fresh instances keep loads on several threads apart.
  if (ext == "PNG") {
    LoadPNGFile(fileName, image);
  } else if (ext == "ICO" || ext == "CUR") {
    LoadCleanly(image, [&] {
      TICOLoader icons;
      icons.LoadFirst = true;
      TFileStream stream(fileName, fmRead | fmShareRead);
      icons.LoadFromStream(stream, ext, image);
    });
  } else if (ext == "PPM" || ext == "PGM") {
    LoadCleanly(image, [&] {
      TFileStream stream(fileName, fmRead | fmShareRead);
      ReadPnm(stream, image);
    });
  } else {
    image.LoadFromFile(fileName);
  }
}

void SaveImageBuffer(const std::string& target, const TRevedBitmap& image,
                     const TSaveOptions& options) {
  const std::string ext = ExtractExt(target);
  const TSaveFormat& format = FindSaveFormat(ext);
  SaveReplacing(target, [&](const std::string& temp) { format.Save(temp, ext, image, options); });
}

}  // namespace lumarte::editor
