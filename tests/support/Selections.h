#pragma once
// Selections of each shape, as the mouse tools would leave them.
#include <initializer_list>

#include "editor/model/Selection.h"

namespace lumarte::fixtures {

inline editor::TSelectionClass RectSelection(int x1, int y1, int x2, int y2) {
  editor::TSelectionClass s;
  s.X1 = x1, s.Y1 = y1, s.X2 = x2, s.Y2 = y2;
  return s;
}

inline editor::TSelectionClass CircleSelection(int cx, int cy, int r) {
  editor::TSelectionClass s;
  s.Kind = editor::SelKind::Circle;
  s.X1 = cx, s.Y1 = cy, s.X2 = s.Y2 = r;
  return s;
}

inline editor::TSelectionClass PolygonSelection(std::initializer_list<editor::TPoint> points) {
  editor::TSelectionClass s;
  s.Kind = editor::SelKind::Polygon;
  for (editor::TPoint p : points) s.Polygon.AddPoint(p.X, p.Y);
  return s;
}

}  // namespace lumarte::fixtures
