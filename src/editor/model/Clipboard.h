#pragma once
// The clipboard as the editor sees it: a picture goes in, a picture comes
// out. platform/ puts it on the desktop's clipboard; tests keep it in memory.
#include <optional>

#include "editor/model/Bitmap.h"

namespace lumarte::editor {

class TPictureClipboard {
 public:
  virtual ~TPictureClipboard() = default;
  virtual void SetPicture(const TBitmap& picture) = 0;
  // The picture on the clipboard, or nothing when it holds none.
  virtual std::optional<TBitmap> Picture() const = 0;
};

}  // namespace lumarte::editor
