#pragma once
// The mouse state machine of the image view: pressing, moving and releasing
// the left button per mode (selection shapes, painting), the timing rules,
// polygon vertex dragging and deletion. Coordinates are image pixels; the
// view converts screen positions with ScreenToImage.
#include "editor/model/SelectionController.h"

namespace lumarte::editor {

enum class TMouseButton { Left, Right, Middle };

class MouseTools {
 public:
  static constexpr double kClickTime = 0.2;            // short press, release debounce
  static constexpr double kShapeInterval = 1.0 / 16;   // rectangle and circle updates
  static constexpr double kVertexInterval = 1.0 / 64;  // polygon and freehand updates
  static constexpr double kPaintFlush = 0.1;           // freehand painting
  static constexpr int kNearVertex = 3;                // FindNearPoint radius

  explicit MouseTools(SelectionController& selection) : Sel(selection) {}

  // Paint modes (menu Paint > Freehand / Line): each starts a new undo step.
  void LMFreehand2Click() { EnterPaintMode(SelKind::PaintFreehand); }
  void LMLine1Click() { EnterPaintMode(SelKind::PaintLine); }

  void Press(TMouseButton button, int x, int y);
  // leftHeld: the left button is down during the move.
  void Move(int x, int y, bool leftHeld);
  void Release(TMouseButton button, int x, int y);
  // Delete or Backspace going down or up over a polygon vertex.
  void DeleteKey(bool down);

  // The vertex position under the pointer in polygon mode, or (-1, -1).
  TPoint HoverPoint() const { return Hover; }

 private:
  void EnterPaintMode(int32_t kind);
  bool PaintRunActive();
  void PressLeft(int x, int y, double now);
  void MoveHover(int x, int y);
  void MoveDrag(int x, int y, double now);
  void MovePaintFreehand(int x, int y, double now);
  void MoveFreehandSelection(TSelectionClass& s, int x, int y);
  void ReleaseLeft(int x, int y, double now);
  void FinishPolygon(TSelectionClass& s);
  void PrepareCanvas();
  void DrawStroke(const TPoint* to);
  void DeleteHoveredVertex();
  void Redraw();
  void RedrawOutline();
  bool ShapeUpdateDue(TSelectionClass& s, double now, double interval) const;
  void Accept(TSelectionClass& s, double now);

  SelectionController& Sel;
  // The selection (and so the image) whose painting run is in progress: the
  // list's flag alone would let strokes run on into another document.
  const TSelectionClass* PaintingSelection = nullptr;
  bool LeftDown = false;  // an accepted press not yet released
  bool DeleteHeld = false;
  TPoint Hover{-1, -1};
};

}  // namespace lumarte::editor
