#pragma once
// "Send to Thumbnail Creator": the current image as a JPEG of quality 50 in
// a temporary file, which the program deletes at exit.
#include <string>

#include "editor/model/Document.h"
#include "editor/model/TempFiles.h"

namespace lumarte::editor {

struct TThumbnailHandover {
  std::string File;  // the temporary JPEG
  std::string Name;  // the name the creator publishes it under
};

// The name is the last part of the document's file name; an image never
// saved takes the temporary file's own name.
TThumbnailHandover SaveForThumbnailCreator(const TBM& document, TTempFiles& temps);

}  // namespace lumarte::editor
