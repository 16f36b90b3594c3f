#pragma once
// A document's selection. With nothing selected every pixel is selected.
namespace lumarte::editor {

class TSelectionClass {
 public:
  bool IsEmpty() const { return true; }
  bool InSelection(int /*x*/, int /*y*/) const { return true; }
};

}  // namespace lumarte::editor
