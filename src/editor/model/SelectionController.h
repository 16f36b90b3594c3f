#pragma once
// The main window's selection state and commands, without the window: the
// current document's selection, its cached bounds, the select-by-colour
// values, and the commands of the Selection menu and the popup menus.
#include <functional>
#include <string>

#include "editor/model/Clipboard.h"
#include "editor/model/ColorSet.h"
#include "editor/model/DocumentList.h"
#include "editor/model/SelectionEdit.h"
#include "editor/model/SelectionTest.h"

namespace lumarte::editor {

// What the selection commands and the mouse tools need from the window.
class SelectionView {
 public:
  virtual ~SelectionView() = default;
  virtual void EraseOutline() {}
  virtual void DrawOutline() {}
  virtual void ShowSelectionStatus(const std::string& /*text*/) {}
  // Menu ticks and mode icons follow Kind and ByColor.
  virtual void ModeChanged() {}
  // Shows the select-by-colour dialog modally.
  virtual void RunSelectByColorDialog() {}
  // The current image changed size: fit the window.
  virtual void ImageResized() {}
  // The document raster changed: show it again.
  virtual void Redraw() {}
  virtual void ShowPopupMenu() {}
  virtual void SetDragCursor(bool /*drag*/) {}
  // Wall-clock time in seconds.
  virtual double Now() = 0;
  // A random integer below n from the program's generator.
  virtual uint32_t RandomBelow(uint32_t n) = 0;
};

class SelectionController {
 public:
  SelectionController(DocumentList& docs, TColorSet& colours, SelectionView& view)
      : Docs(docs), ColourSet(colours), ViewRef(view) {}

  DocumentList& Documents() { return Docs; }
  TColorSet& Colours() { return ColourSet; }
  SelectionView& View() { return ViewRef; }
  TSelectionClass& Selection() { return *Docs.Current().Selection; }
  TBitmap& Image() { return *Docs.Current().Bitmap; }

  // The select-by-colour dialog's track bars (red, green, blue, width).
  TSelectByColor& SelectByColor() { return Docs.SelectByColor; }
  // The setting "PolygonSelectAfterFreehandSelect" (the window reads the
  // settings table).
  std::function<bool()> PolygonSelectAfterFreehandSelect = [] { return false; };
  TPoint LastPressed{-1, -1};
  bool LeftButtonHeld = false;
  // The image point last shown in the "X:" and "Y:" panels.
  TPoint StatusPoint{-1, -1};

  // SelLeft, SelTop, SelRight, SelBottom, recomputed from the selection.
  TRect GetSelectionBounds();
  const TRect& SelBounds() const { return Sel; }
  // The per-pixel test for loops over the current image.
  TSelectionTest MakeSelectionTest();
  // One pixel; loops should keep a MakeSelectionTest().
  bool InSelection(int x, int y) { return MakeSelectionTest().InSelection(x, y); }
  int SelectionCentreX();
  int SelectionCentreY();
  // The last pressed point, else the top-left of the bounds.
  TPoint SelectionAnchor();
  TBrightnessStats SelectionBrightnessStats(double wB, double wG, double wR);

  // Writes "Sel: ..." from fresh bounds.
  void UpdateSelectionStatus();
  void ClearSelection();
  void LMSelectAll1Click();

  void LMRectangle1Click() { SetSelectionMode(SelKind::Rectangle); }
  void LMPoint1Click() { SetSelectionMode(SelKind::Point); }
  void LMCircle1Click() { SetSelectionMode(SelKind::Circle); }
  void LMPolygon1Click() { SetSelectionMode(SelKind::Polygon); }
  void LMFreehand1Click() { SetSelectionMode(SelKind::Freehand); }
  void LMbyColor1Click();
  void LMPSelectByColorincurrentselection1Click() { LMbyColor1Click(); }

  void LMCopy1Click(TPictureClipboard& clipboard);
  void LMTrim1Click();
  // Move the shape to StatusPoint.
  void toLeftTop1Click() { MoveTo(TMoveTarget::LeftTop); }
  void toRightBottom1Click() { MoveTo(TMoveTarget::RightBottom); }
  void toCenter1Click() { MoveTo(TMoveTarget::Centre); }

 private:
  void SetSelectionMode(int32_t kind);
  void MoveTo(TMoveTarget target);

  DocumentList& Docs;
  TColorSet& ColourSet;
  SelectionView& ViewRef;
  TRect Sel;
};

}  // namespace lumarte::editor
