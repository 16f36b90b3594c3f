#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "editor/model/Bitmap.h"
#include "editor/model/Selection.h"

namespace lumarte::editor {

inline constexpr int kUndoLevels = 9;
inline constexpr int kSlotCount = 10;

// One open image document.
class TBM {
 public:
  explicit TBM(int slot) : Slot(slot) {}

  std::unique_ptr<TBitmap> Bitmap = std::make_unique<TBitmap>();
  // Undo[1] is the newest; Undo[0] is unused so that levels read as in the menus.
  std::array<std::unique_ptr<TBitmap>, kUndoLevels + 1> Undo;
  std::unique_ptr<TBitmap> Redo;
  int32_t JpegQuality = -1;
  bool JpegProgressive = true;
  bool HasTransparency = false;
  int32_t TransparentColor = -1;
  bool IsJpeg2000 = false;
  bool Modified = false;
  bool NeedsSaveAs = true;
  bool InUse = false;
  std::string FileName;
  int32_t Slot;
  std::unique_ptr<TSelectionClass> Selection = std::make_unique<TSelectionClass>();

  // Number of undo levels present from Undo[1] on.
  int UndoDepth() const;
  // Drops the raster chain and resets every field to a free slot's values.
  void Reset();
};

}  // namespace lumarte::editor
