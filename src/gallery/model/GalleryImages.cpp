#include "gallery/model/GalleryImages.h"

#include <algorithm>
#include <thread>

#include "editor/model/DocumentCodecs.h"
#include "editor/model/ImageFiles.h"
#include "editor/model/RasterConversion.h"
#include "editor/model/Resample.h"
#include "base/Parallel.h"
#include "gallery/model/ImageSizing.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"
#include "imaging/JPEGCodec.h"

namespace lumarte::gallery {

namespace {

editor::TBitmap Cut(const editor::TBitmap& src, int w, int h) {
  if (src.Width() == w && src.Height() == h) return src;
  editor::TBitmap out(w, h);
  for (int y = 0; y < h && y < src.Height(); ++y)
    std::copy_n(src.ScanLine(y), 3 * std::min(w, src.Width()), out.ScanLine(y));
  return out;
}

void Prepare(const GalleryEntry& e, const TGallerySettings& s, TPreparedImage& out) {
  editor::TBitmap source = DecodeSource(e.FileName);
  const TThumbSize t = ThumbnailSize(source.Width(), source.Height(), s.Width, s.Height, s.Sizing);
  const editor::TBitmap thumb =
      Cut(editor::ResampleNearest(source, t.ResampleWidth, t.ResampleHeight), t.Width, t.Height);
  out.ThumbWidth = t.Width;
  out.ThumbHeight = t.Height;
  if (!s.ImagesAreThumbnails) out.ThumbJpeg = EncodeJpeg(thumb, ThumbnailQuality(s.Quality));
  if (s.ImageResize) {
    int w = source.Width(), h = source.Height();
    LimitSize(w, h, s.GreaterThan, s.GreaterThan);
    if (w != source.Width()) source = editor::ResampleNearest(source, w, h);
  }
  if (s.AdjustCompression)
    out.Published = std::move(source);
  else
    out.PublishedJpeg = EncodeJpeg(source, PublishedQuality(s.Quality));
}

std::string Counted(const char* text, size_t i, size_t count) {
  return std::string(text) + std::to_string(i) + " of " + std::to_string(count);
}

}  // namespace

editor::TBitmap DecodeSource(const std::string& path) {
  const std::string upper = imaging::UpperCase(path);
  if (upper.ends_with(".BMP")) return *editor::LoadImageFile(path);
  if (upper.ends_with(".PNG")) {
    // A loader of its own: the registry's PNG codec keeps the last file's
    // state, and sources are decoded on several threads at once.
    editor::TBitmap raster;
    editor::LoadPngFile(path, raster);
    return raster;
  }
  const std::string bytes = ReadWholeFile(path);
  imaging::TRevedBitmap buffer;
  imaging::DecodeJPEG(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), buffer);
  editor::TBitmap raster;
  editor::AssignTo(buffer, raster);
  if (raster.Empty()) throw ELumarteError("Not a valid image!");
  return raster;
}

std::string EncodeJpeg(const editor::TBitmap& raster, int quality, bool progressive) {
  imaging::TRevedBitmap buffer;
  editor::AssignFromRaster(buffer, raster);
  imaging::TJPEGEncodeOptions options;
  options.Quality = quality;
  options.Progressive = progressive;
  std::string out;
  imaging::EncodeJPEG(buffer, options, out);
  return out;
}

std::vector<TPreparedImage> PrepareImages(const std::vector<GalleryEntry>& entries, size_t begin,
                                          size_t end, const TGallerySettings& s) {
  std::vector<TPreparedImage> out(end - begin);
  ParallelRanges(
      static_cast<int64_t>(out.size()),
      [&](int64_t b, int64_t e) {
        for (int64_t i = b; i < e; ++i) {
          try {
            Prepare(entries[begin + static_cast<size_t>(i)], s, out[static_cast<size_t>(i)]);
          } catch (...) {
            out[static_cast<size_t>(i)].Error = std::current_exception();
          }
        }
      },
      1);
  return out;
}

void AbortAndUndo(GalleryProject& p) {
  p.Undo.Undo();
  throw ELumarteError("Thumbnail Creation aborted and undone.");
}

void PublishAndMakeThumbnails(GalleryProject& p, const std::string& imageFolder,
                              ProgressReporter& progress, TGalleryQuestions& ask) {
  const TGallerySettings& s = p.Settings;
  const size_t count = p.Entries.size();
  const int max = static_cast<int>(count);
  // Thumbnails are written after every published image; they wait here.
  std::vector<TPreparedImage> thumbs(count);
  const size_t batch = std::max(1u, std::thread::hardware_concurrency());
  for (size_t begin = 0; begin < count; begin += batch) {
    const size_t end = std::min(count, begin + batch);
    std::vector<TPreparedImage> prepared = PrepareImages(p.Entries, begin, end, s);
    for (size_t i = begin; i < end; ++i) {
      TPreparedImage& img = prepared[i - begin];
      GalleryEntry& e = p.Entries[i];
      progress.SetProgress(0, static_cast<int>(i), Counted("Thumbnail Creator: Copying Images. ", i, count), max);
      e.Link = e.Name;
      if (progress.AbortRequested()) AbortAndUndo(p);
      if (img.Error) std::rethrow_exception(img.Error);
      if (s.AdjustCompression) {
        const auto choice = ask.AskJpegOptions(img.Published);
        img.PublishedJpeg = choice ? EncodeJpeg(img.Published, std::max(1, choice->Quality),
                                                choice->Progressive)
                                   : EncodeJpeg(img.Published, PublishedQuality(s.Quality));
        img.Published = editor::TBitmap();
      }
      p.Undo.Write(imageFolder + e.Name, img.PublishedJpeg);
      img.PublishedJpeg.clear();
      thumbs[i] = std::move(img);
    }
  }
  for (size_t i = 0; i < count; ++i) {
    GalleryEntry& e = p.Entries[i];
    progress.SetProgress(0, static_cast<int>(i), Counted("Thumbnail Creator: Create Thumbs. ", i, count), max);
    if (progress.AbortRequested()) AbortAndUndo(p);
    const std::string name = ThumbnailFileName(e.Name, s.ImagesAreThumbnails);
    e.ThumbName = name + "\" Width=\"" + std::to_string(thumbs[i].ThumbWidth) + "\" Height=\"" +
                  std::to_string(thumbs[i].ThumbHeight);
    if (!s.ImagesAreThumbnails) p.Undo.Write(imageFolder + name, thumbs[i].ThumbJpeg);
    thumbs[i] = TPreparedImage();
  }
}

}  // namespace lumarte::gallery
