#pragma once
// Published copies and thumbnails: each source is decoded once and both
// pictures are made from the same pixels, several sources at a time.
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "editor/model/Bitmap.h"
#include "editor/model/EditorPrompts.h"
#include "base/Progress.h"
#include "gallery/model/GalleryProject.h"

namespace lumarte::gallery {

// The questions a run may ask; the window answers with dialogs, the command
// line and tests directly.
class TGalleryQuestions {
 public:
  virtual ~TGalleryQuestions() = default;
  // "Remove the previously computed gallery before computing the new one?"
  virtual bool AskRemovePrevious() = 0;
  // The JPEG options of one published image, shown with it as preview;
  // nothing keeps the run's own quality.
  virtual std::optional<editor::TJpegSaveChoice> AskJpegOptions(const editor::TBitmap& image) = 0;
  // A note that does not stop the run (a skipped COPY line).
  virtual void Note(const std::string& text) = 0;
};

// BMP and PNG by name through the editor's loader, everything else as JPEG.
editor::TBitmap DecodeSource(const std::string& path);
std::string EncodeJpeg(const editor::TBitmap& raster, int quality, bool progressive = false);

// One source turned into what the run writes.
struct TPreparedImage {
  editor::TBitmap Published;  // kept only while its options are still to be asked
  std::string PublishedJpeg;
  std::string ThumbJpeg;
  int ThumbWidth = 0, ThumbHeight = 0;
  std::exception_ptr Error;  // raised when the run reaches this image
};

// Decodes, shrinks and encodes entries [begin, end) on all cores; the
// published image is left unencoded when its options are to be asked.
std::vector<TPreparedImage> PrepareImages(const std::vector<GalleryEntry>& entries, size_t begin,
                                          size_t end, const TGallerySettings& s);

// Every published image and thumbnail of a run, in the sequential order:
// progress, abort, files and undo lists as image after image would give them.
void PublishAndMakeThumbnails(GalleryProject& p, const std::string& imageFolder,
                              ProgressReporter& progress, TGalleryQuestions& ask);

// Runs Undo after an Abort and raises the abort message (or Undo's own).
[[noreturn]] void AbortAndUndo(GalleryProject& p);

}  // namespace lumarte::gallery
