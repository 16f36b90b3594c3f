#include "editor/model/SelectionController.h"

namespace lumarte::editor {

TRect SelectionController::GetSelectionBounds() {
  Sel = lumarte::editor::GetSelectionBounds(Selection(), Image().Width(), Image().Height());
  return Sel;
}

TSelectionTest SelectionController::MakeSelectionTest() {
  TSelectionTest test = Docs.SelectionTest();
  Sel = test.Bounds();
  return test;
}

int SelectionController::SelectionCentreX() {
  return SelectionCentre(Selection(), Image().Width(), Image().Height()).X;
}

int SelectionController::SelectionCentreY() {
  return SelectionCentre(Selection(), Image().Width(), Image().Height()).Y;
}

TPoint SelectionController::SelectionAnchor() {
  if (LastPressed.X >= 0) return LastPressed;
  TRect b = GetSelectionBounds();
  return {b.Left, b.Top};
}

TBrightnessStats SelectionController::SelectionBrightnessStats(double wB, double wG, double wR) {
  return lumarte::editor::SelectionBrightnessStats(Image(), MakeSelectionTest(), wB, wG, wR);
}

void SelectionController::UpdateSelectionStatus() {
  ViewRef.ShowSelectionStatus(SelectionStatusText(GetSelectionBounds()));
}

void SelectionController::ClearSelection() {
  ViewRef.EraseOutline();
  TSelectionClass& s = Selection();
  s.ClearCoordinates();
  s.Polygon.Clear();
  s.BoundsDirty = true;
  UpdateSelectionStatus();
  if (!LeftButtonHeld) LastPressed = {-1, -1};
}

void SelectionController::LMSelectAll1Click() {
  ClearSelection();
  UpdateSelectionStatus();
}

void SelectionController::SetSelectionMode(int32_t kind) {
  ViewRef.EraseOutline();
  TSelectionClass& s = Selection();
  const int32_t previous = s.Kind;
  s.Kind = kind;
  s.ClearCoordinates();
  s.ClearTimes();
  s.BoundsDirty = true;
  s.ShapeMode = true;
  s.ByColor = false;
  // A freehand outline stays for editing vertex by vertex.
  bool keepPolygon = kind == SelKind::Point || kind == SelKind::Circle ||
                     (kind == SelKind::Polygon && previous == SelKind::Freehand);
  if (!keepPolygon) s.Polygon.Clear();
  ViewRef.ModeChanged();
  UpdateSelectionStatus();
}

void SelectionController::LMbyColor1Click() {
  ViewRef.RunSelectByColorDialog();
  TSelectionClass& s = Selection();
  s.ByColor = true;
  s.BoundsDirty = true;
  s.ShapeMode = true;
  ViewRef.ModeChanged();
}

void SelectionController::LMCopy1Click(TPictureClipboard& clipboard) {
  GetSelectionBounds();
  clipboard.SetPicture(SelectionBlock(Selection(), Image()));
}

void SelectionController::LMTrim1Click() {
  // Built before the undo step so that a refusal changes nothing.
  TBitmap trimmed = TrimmedRaster(Image(), MakeSelectionTest(), ColourSet.BG.Color());
  Docs.PushUndo();
  *Docs.Current().Bitmap = std::move(trimmed);
  Docs.Current().Modified = true;
  Docs.Refresh(0);
  ViewRef.ImageResized();
  LMSelectAll1Click();
}

void SelectionController::MoveTo(TMoveTarget target) {
  if (StatusPoint.X < 0 || Selection().IsPaintMode()) return;
  ViewRef.EraseOutline();
  MoveSelectionTo(Selection(), target, StatusPoint, Image().Width(), Image().Height());
  ViewRef.DrawOutline();
  UpdateSelectionStatus();
}

}  // namespace lumarte::editor
