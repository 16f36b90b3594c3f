#include "editor/model/MouseTools.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lumarte::editor {

namespace {

// |dx| + |dy|
int64_t Distance1(int x0, int y0, int x1, int y1) {
  return std::llabs(int64_t{x1} - x0) + std::llabs(int64_t{y1} - y0);
}

}  // namespace

void MouseTools::EnterPaintMode(int32_t kind) {
  SelectionView& view = Sel.View();
  view.EraseOutline();
  TSelectionClass& s = Sel.Selection();
  s.Kind = kind;
  s.ClearCoordinates();
  s.StrokeCount = 0;
  s.BoundsDirty = true;
  view.ModeChanged();
  DocumentList& docs = Sel.Documents();
  docs.PushUndo();
  docs.PaintingInProgress = true;
  PaintingSelection = &s;
  if (kind == SelKind::PaintLine) docs.Current().Modified = true;
  Sel.UpdateSelectionStatus();
}

bool MouseTools::PaintRunActive() {
  return Sel.Documents().PaintingInProgress && PaintingSelection == &Sel.Selection();
}

void MouseTools::Press(TMouseButton button, int x, int y) {
  if (button == TMouseButton::Right) {
    Sel.View().ShowPopupMenu();
    return;
  }
  if (button != TMouseButton::Left) return;
  const double now = Sel.View().Now();
  if (now - Sel.Selection().ReleaseTime < kClickTime) return;
  if (!Sel.Documents().Current().InUse) return;
  PressLeft(x, y, now);
}

void MouseTools::PressLeft(int x, int y, double now) {
  LeftDown = Sel.LeftButtonHeld = true;
  TSelectionClass& s = Sel.Selection();
  s.PressTime = now;
  Sel.LastPressed = {x, y};
  Sel.View().EraseOutline();
  s.BoundsDirty = true;
  switch (s.Kind) {
    case SelKind::PaintFreehand:
      if (!PaintRunActive()) LMFreehand2Click();
      PrepareCanvas();
      Sel.Image().MoveTo(x, y);
      s.StrokeCount = 0;
      s.PaintTime = now;
      return;
    case SelKind::PaintLine: {
      if (!PaintRunActive()) LMLine1Click();
      PrepareCanvas();
      TBitmap& image = Sel.Image();
      // Successive clicks draw a connected polyline.
      if (s.X1 >= 0) {
        image.MoveTo(s.X1, s.Y1);
        image.LineTo(x, y);
      } else {
        image.MoveTo(x, y);
      }
      s.X1 = x, s.Y1 = y;
      Sel.Documents().Current().Modified = true;
      Redraw();
      return;
    }
    case SelKind::Polygon: {
      int i = s.Polygon.FindNearPoint(x, y, kNearVertex);
      if (i < 0) i = s.Polygon.InsertPoint(x, y);
      s.X1 = s.Y1 = i;
      s.X2 = x, s.Y2 = y;
      break;
    }
    case SelKind::Rectangle:
    case SelKind::Point:
      s.X1 = s.X2 = x, s.Y1 = s.Y2 = y;
      break;
    case SelKind::Circle:
      s.X1 = x, s.Y1 = y, s.X2 = s.Y2 = 0;
      break;
    case SelKind::Freehand:
      s.X1 = s.X2 = x, s.Y1 = s.Y2 = y;
      s.Polygon.Clear();
      s.Polygon.AddPoint(x, y);
      s.StrokeCount = 0;
      break;
    default:
      return;
  }
  s.Zoom = Sel.Documents().ZoomFactor;
  Sel.View().DrawOutline();
  s.StartTime = now;
  Sel.UpdateSelectionStatus();
}

void MouseTools::Move(int x, int y, bool leftHeld) {
  Sel.StatusPoint = {x, y};
  const double now = Sel.View().Now();
  if (now - Sel.Selection().ReleaseTime < kClickTime) return;
  if (!leftHeld) {
    MoveHover(x, y);
    return;
  }
  // Only a drag that began with an accepted press on the image.
  if (LeftDown) MoveDrag(x, y, now);
}

void MouseTools::MoveHover(int x, int y) {
  TSelectionClass& s = Sel.Selection();
  bool onVertex = s.Kind == SelKind::Polygon && s.Polygon.FindNearPoint(x, y, kNearVertex) >= 0;
  Hover = onVertex ? TPoint{x, y} : TPoint{-1, -1};
  Sel.View().SetDragCursor(onVertex);
  if (onVertex && DeleteHeld) DeleteHoveredVertex();
}

bool MouseTools::ShapeUpdateDue(TSelectionClass& s, double now, double interval) const {
  return now - s.MoveTime >= interval;
}

void MouseTools::Accept(TSelectionClass& s, double now) {
  s.Zoom = Sel.Documents().ZoomFactor;
  s.MoveTime = now;
  s.BoundsDirty = true;
}

void MouseTools::MoveDrag(int x, int y, double now) {
  TSelectionClass& s = Sel.Selection();
  if (s.Kind == SelKind::PaintFreehand) {
    MovePaintFreehand(x, y, now);
    return;
  }
  const int w = Sel.Image().Width(), h = Sel.Image().Height();
  if (s.Kind == SelKind::Rectangle) {
    x = std::max(x, 0), y = std::max(y, 0);
  } else {
    x = std::clamp(x, 0, std::max(w - 1, 0)), y = std::clamp(y, 0, std::max(h - 1, 0));
  }
  switch (s.Kind) {
    case SelKind::Rectangle:
      if (s.X1 < 0 || !ShapeUpdateDue(s, now, kShapeInterval) || Distance1(x, y, s.X2, s.Y2) < 2)
        return;
      s.X2 = x, s.Y2 = y;
      break;
    case SelKind::Circle: {
      if (s.X1 < 0 || !ShapeUpdateDue(s, now, kShapeInterval)) return;
      double dx = double(x) - s.X1, dy = double(y) - s.Y1;
      s.X2 = s.Y2 = static_cast<int32_t>(std::nearbyint(std::sqrt(dx * dx + dy * dy)));
      break;
    }
    case SelKind::Polygon:
      if (s.X1 < 0 || s.X1 >= s.Polygon.Count() || !ShapeUpdateDue(s, now, kVertexInterval)) return;
      s.Polygon.MovePoint(s.X1, x, y);
      s.X2 = x, s.Y2 = y;
      break;
    case SelKind::Freehand:
      if (s.X1 < 0 || !ShapeUpdateDue(s, now, kVertexInterval) || Distance1(x, y, s.X2, s.Y2) < 2)
        return;
      Accept(s, now);
      MoveFreehandSelection(s, x, y);
      return;
    default:
      return;
  }
  Accept(s, now);
  RedrawOutline();
  Sel.UpdateSelectionStatus();
}

void MouseTools::MoveFreehandSelection(TSelectionClass& s, int x, int y) {
  s.X2 = x, s.Y2 = y;
  const TPoint p{x, y};
  if (s.StrokeCount < TSelectionClass::kStrokeBufferSize) {
    if (s.StrokeCount > 0) {
      const TPoint last = s.StrokeBuffer[s.StrokeCount - 1];
      // Close to the last point: thin the stroke out.
      if (Distance1(x, y, last.X, last.Y) < 3 && (p == last || Sel.View().RandomBelow(10) >= 4))
        return;
    }
    s.StrokeBuffer[s.StrokeCount++] = p;
    return;
  }
  for (const TPoint& b : s.StrokeBuffer) s.Polygon.AddPoint(b.X, b.Y);
  s.Polygon.AddPoint(x, y);
  s.StrokeCount = 0;
  RedrawOutline();
  Sel.UpdateSelectionStatus();
}

void MouseTools::MovePaintFreehand(int x, int y, double now) {
  TSelectionClass& s = Sel.Selection();
  if (!PaintRunActive()) return;
  if (s.StrokeCount < TSelectionClass::kStrokeBufferSize && now - s.PaintTime < kPaintFlush) {
    s.StrokeBuffer[s.StrokeCount++] = {x, y};
    return;
  }
  const TPoint to{x, y};
  DrawStroke(&to);
  s.PaintTime = now;
  Redraw();
}

void MouseTools::Release(TMouseButton button, int x, int y) {
  if (button != TMouseButton::Left || !LeftDown) return;
  LeftDown = false;
  const double now = Sel.View().Now();
  ReleaseLeft(x, y, now);
  Sel.LeftButtonHeld = false;
}

void MouseTools::ReleaseLeft(int x, int y, double now) {
  TSelectionClass& s = Sel.Selection();
  if (now - s.ReleaseTime < kClickTime) return;
  s.ReleaseTime = now;
  const bool shortPress = now - s.PressTime < kClickTime;
  switch (s.Kind) {
    case SelKind::Rectangle:
    case SelKind::Circle:
    case SelKind::Freehand:
      // A click clears the selection as Escape does; the clicked point stays
      // as the anchor for fills and inserts.
      if (shortPress) {
        Sel.ClearSelection();
        return;
      }
      break;
    default:
      break;
  }
  switch (s.Kind) {
    case SelKind::PaintFreehand:
      if (PaintRunActive()) {
        DrawStroke(nullptr);
        Sel.Documents().Current().Modified = true;
        Redraw();
      }
      return;
    case SelKind::PaintLine:
      return;
    case SelKind::Rectangle:
      x = std::max(x, 0), y = std::max(y, 0);
      Sel.View().EraseOutline();
      if (s.X1 >= 0 && Distance1(x, y, s.X1, s.Y1) < 2)
        s.ClearCoordinates();
      else if (s.X1 >= 0)
        s.X2 = x, s.Y2 = y;
      Sel.View().DrawOutline();
      break;
    case SelKind::Polygon:
    case SelKind::Freehand:
      FinishPolygon(s);
      break;
    case SelKind::Circle:
    case SelKind::Point:
      Sel.View().DrawOutline();
      break;
    default:
      return;
  }
  s.BoundsDirty = true;
  Sel.UpdateSelectionStatus();
}

void MouseTools::FinishPolygon(TSelectionClass& s) {
  if (s.Kind == SelKind::Freehand) {
    for (int i = 0; i < s.StrokeCount; ++i)
      s.Polygon.AddPoint(s.StrokeBuffer[i].X, s.StrokeBuffer[i].Y);
    s.StrokeCount = 0;
  }
  RedrawOutline();
  s.Polygon.BuildMask(Sel.Image().Width(), Sel.Image().Height());
  if (s.Kind == SelKind::Freehand && Sel.PolygonSelectAfterFreehandSelect()) {
    Sel.LMPolygon1Click();
    // The outline stays in sight for editing vertex by vertex.
    Sel.View().DrawOutline();
  }
}

void MouseTools::DeleteKey(bool down) {
  DeleteHeld = down;
  if (down && Hover.X >= 0 && Sel.Selection().Kind == SelKind::Polygon) DeleteHoveredVertex();
}

void MouseTools::DeleteHoveredVertex() {
  TSelectionClass& s = Sel.Selection();
  int i = s.Polygon.FindNearPoint(Hover.X, Hover.Y, kNearVertex);
  if (i < 0) return;
  Sel.View().EraseOutline();
  s.Polygon.DeletePoint(i);
  s.BoundsDirty = true;
  Sel.View().DrawOutline();
  Sel.UpdateSelectionStatus();
}

void MouseTools::PrepareCanvas() {
  TBitmap& image = Sel.Image();
  image.PenColor = Sel.Colours().FG.Color();
  image.PenWidth = std::clamp(Sel.Colours().PenWidth, kPenWidthMin, kPenWidthMax);
}

void MouseTools::DrawStroke(const TPoint* to) {
  TSelectionClass& s = Sel.Selection();
  PrepareCanvas();
  TBitmap& image = Sel.Image();
  for (int i = 0; i < s.StrokeCount; ++i) image.LineTo(s.StrokeBuffer[i].X, s.StrokeBuffer[i].Y);
  if (to) image.LineTo(to->X, to->Y);
  s.StrokeCount = 0;
}

void MouseTools::Redraw() {
  Sel.View().Redraw();
}

void MouseTools::RedrawOutline() {
  Sel.View().EraseOutline();
  Sel.View().DrawOutline();
}

}  // namespace lumarte::editor
