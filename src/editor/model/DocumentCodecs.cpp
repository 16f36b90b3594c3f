#include "editor/model/DocumentCodecs.h"

#include "editor/model/RasterConversion.h"
#include "imaging/BMPLoader.h"
#include "imaging/ColorReduction.h"
#include "imaging/FileUtils.h"
#include "imaging/GIFLoader.h"
#include "imaging/JPEGImage.h"
#include "imaging/PNGLoader.h"
#include "imaging/Streams.h"

namespace lumarte::editor {

namespace {

imaging::TRevedBitmap FullColour(const TBitmap& raster) {
  imaging::TRevedBitmap buffer;
  AssignFromRaster(buffer, raster);
  return buffer;
}

imaging::TJPEGImage Compressed(const TBitmap& raster, int quality, bool progressive) {
  imaging::TJPEGImage jpeg;
  jpeg.CompressionQuality = quality;
  jpeg.ProgressiveEncoding = progressive;
  jpeg.Assign(FullColour(raster));
  jpeg.Compress();
  return jpeg;
}

TColor PixelColourOfIndex(const imaging::TRevedBitmap& b, int index) {
  const uint8_t* p = b.Palette->data() + 3 * index;
  return RGBColor(p[2], p[1], p[0]);
}

TColor PixelColour(const imaging::TRevedBitmap& b, int x, int y) {
  const uint8_t* p = b.PixelFormat == imaging::pf8bit ? b.Palette->data() + 3 * b.ScanLine(y)[x]
                                                      : b.ScanLine(y) + 3 * x;
  return RGBColor(p[2], p[1], p[0]);
}

}  // namespace

TTransparency LoadGifFile(const std::string& fileName, TBitmap& raster) {
  imaging::TFileStream stream(fileName, imaging::fmRead | imaging::fmShareRead);
  imaging::TGIFImage gif;
  gif.LoadFromStream(stream);
  imaging::TRevedBitmap first;
  gif.FirstPicture(first);
  AssignTo(first, raster);
  if (!gif.HasTransparency()) return {};
  return {true, gif.TransparentColor()};
}

TTransparency LoadPngFile(const std::string& fileName, TBitmap& raster) {
  imaging::TRevedBitmap buffer;
  imaging::TPNGTransparency t = imaging::LoadPNGFile(fileName, buffer);
  AssignTo(buffer, raster);
  if (!t.Transparent) return {};
  return {true, t.Color};
}

void WriteGifFile(const std::string& fileName, const TBitmap& raster) {
  imaging::TRevedBitmap reduced = ReducedBuffer(raster, 8);
  TColor transparent = PixelColour(reduced, 0, reduced.Height - 1);
  // At most 256 colours after the reduction: the writer cannot refuse.
  imaging::SaveGIF(fileName, reduced, false, false, transparent);
}

void WritePngFile(const std::string& fileName, const TBitmap& raster, bool transparent,
                  TColor transparentColor) {
  WritePngFile(fileName, FullColour(raster), transparent, transparentColor);
}

void WritePngFile(const std::string& fileName, const imaging::TRevedBitmap& image, bool transparent,
                  TColor transparentColor) {
  imaging::TPNGSaveOptions options;
  options.Transparent = transparent;
  options.TransparentColor = transparentColor;
  if (transparent && image.PixelFormat == imaging::pf8bit && !image.IsGrayScale()) {
    // Palette output names the transparent entry by its index.
    options.Transparent = false;
    for (int i = 0; i < 256 && !options.Transparent; ++i)
      if (PixelColourOfIndex(image, i) == transparentColor) {
        options.Transparent = true;
        options.TransparentColor = static_cast<uint32_t>(i);
      }
  }
  imaging::SavePNGFile(fileName, image, options);
}

void WriteJpegFile(const std::string& fileName, const TBitmap& raster, int quality,
                   bool progressive) {
  Compressed(raster, quality, progressive).SaveToFile(fileName);
}

void WriteBmpFile(const std::string& fileName, const TBitmap& raster, int bitsPerPixel) {
  WriteBmpFile(fileName, FullColour(raster), bitsPerPixel);
}

void WriteBmpFile(const std::string& fileName, const imaging::TRevedBitmap& image,
                  int bitsPerPixel) {
  const bool keep =
      bitsPerPixel == 24 || (bitsPerPixel == 8 && image.PixelFormat == imaging::pf8bit);
  const imaging::TRevedBitmap reduced =
      keep ? imaging::TRevedBitmap() : ReducedBuffer(image, bitsPerPixel);
  imaging::SaveReplacing(fileName, [&](const std::string& temp) {
    imaging::TFileStream stream(temp, imaging::fmRead | imaging::fmWrite | imaging::fmCreate);
    imaging::WriteBMP(stream, keep ? image : reduced, bitsPerPixel);
    stream.Flush();
  });
}

imaging::TRevedBitmap ReducedBuffer(const TBitmap& raster, int bitsPerPixel) {
  return ReducedBuffer(FullColour(raster), bitsPerPixel);
}

imaging::TRevedBitmap ReducedBuffer(const imaging::TRevedBitmap& image, int bitsPerPixel) {
  imaging::TColorReductionOptions options;
  options.MaxColors = 1 << bitsPerPixel;
  // Sixteen colours or two need error diffusion to keep shades readable.
  options.Dither = bitsPerPixel < 8;
  return imaging::ReduceColors(image, options);
}

TBitmap ReducedToDepth(const TBitmap& raster, int bitsPerPixel) {
  if (bitsPerPixel == 24 || raster.Empty()) return raster;
  TBitmap shown;
  AssignTo(ReducedBuffer(raster, bitsPerPixel), shown);
  return shown;
}

TJpegPreview MakeJpegPreview(const TBitmap& raster, int quality, bool progressive) {
  imaging::TJPEGImage jpeg = Compressed(raster, quality, progressive);
  TJpegPreview preview;
  preview.FileSize = static_cast<int64_t>(jpeg.Data().size());
  imaging::TMemoryStream data(jpeg.Data().data(), jpeg.Data().size());
  imaging::TJPEGImage decoded;
  decoded.LoadFromStream(data);
  AssignTo(decoded.Picture(), preview.Decoded);
  return preview;
}

}  // namespace lumarte::editor
