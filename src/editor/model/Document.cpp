#include "editor/model/Document.h"

namespace lumarte::editor {

int TBM::UndoDepth() const {
  int n = 0;
  while (n < kUndoLevels && Undo[n + 1]) ++n;
  return n;
}

void TBM::Reset() {
  for (auto& u : Undo) u.reset();
  Redo.reset();
  Bitmap = std::make_unique<TBitmap>();
  InUse = false;
  JpegQuality = -1;
  JpegProgressive = true;
  HasTransparency = false;
  TransparentColor = -1;
  IsJpeg2000 = false;
  NeedsSaveAs = true;
  Modified = false;
  FileName.clear();
  Selection = std::make_unique<TSelectionClass>();
}

}  // namespace lumarte::editor
