#pragma once
// Stand-ins for the main window in model tests: a document host, a view with
// a settable clock and scripted dice, and an in-memory clipboard.
#include <deque>
#include <optional>
#include <string>

#include "editor/model/Clipboard.h"
#include "editor/model/DocumentList.h"
#include "editor/model/SelectionController.h"
#include "imaging/Errors.h"
#include "support/ErrorMessage.h"
#include "support/QuietDocumentHost.h"

namespace lumarte::editor::testing {

class FakeView : public SelectionView {
 public:
  double Clock = 1000.0;
  // Random draws to hand out; 0 when the script runs dry.
  std::deque<uint32_t> Dice;
  std::string SelStatus;
  int Redraws = 0, Popups = 0, ModeChanges = 0, Resizes = 0;
  int ByColorDialogs = 0;
  bool DragCursor = false;

  void EraseOutline() override {}
  void DrawOutline() override {}
  void ShowSelectionStatus(const std::string& t) override { SelStatus = t; }
  void ModeChanged() override { ++ModeChanges; }
  void RunSelectByColorDialog() override { ++ByColorDialogs; }
  void ImageResized() override { ++Resizes; }
  void Redraw() override { ++Redraws; }
  void ShowPopupMenu() override { ++Popups; }
  void SetDragCursor(bool d) override { DragCursor = d; }
  double Now() override { return Clock; }
  uint32_t RandomBelow(uint32_t n) override {
    uint32_t v = Dice.empty() ? 0 : Dice.front();
    if (!Dice.empty()) Dice.pop_front();
    return v % n;
  }
};

class MemoryClipboard : public TPictureClipboard {
 public:
  std::optional<TBitmap> Held;
  void SetPicture(const TBitmap& p) override { Held = p; }
  std::optional<TBitmap> Picture() const override { return Held; }
};

// A raster whose pixel (x, y) has red x, green y and blue 7.
inline TBitmap Gradient(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGBColor(x & 255, y & 255, 7));
  return b;
}

// A document list with one open image and the selection commands on it.
class EditorFixture {
 public:
  explicit EditorFixture(TBitmap image = Gradient(40, 30)) {
    docs.SetPlaceholder(TBitmap(2, 2));
    docs.AddDocument(std::make_unique<TBitmap>(std::move(image)), "test.bmp");
  }
  QuietHost host;
  DocumentList docs{host};
  TColorSet colours;
  FakeView view;
  SelectionController sel{docs, colours, view};
  TSelectionClass& S() { return sel.Selection(); }
};

}  // namespace lumarte::editor::testing
