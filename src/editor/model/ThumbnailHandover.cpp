#include "editor/model/ThumbnailHandover.h"

#include <filesystem>

#include "editor/model/DocumentCodecs.h"

namespace lumarte::editor {

TThumbnailHandover SaveForThumbnailCreator(const TBM& document, TTempFiles& temps) {
  TThumbnailHandover h;
  h.File = TTempFiles::NewName(".jpg");
  WriteJpegFile(h.File, *document.Bitmap, 50, false);
  temps.Add(h.File);
  h.Name = std::filesystem::path(document.FileName).filename().string();
  if (h.Name.empty()) h.Name = std::filesystem::path(h.File).filename().string();
  return h;
}

}  // namespace lumarte::editor
