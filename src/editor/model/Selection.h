#pragma once
// A document's selection: its shape, the outline bookkeeping of the view and
// the timing state of the mouse tools. With nothing selected every pixel is
// selected.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/Polygon.h"

namespace lumarte::editor {

// Values of TSelectionClass::Kind; the kind is also the mouse mode.
namespace SelKind {
inline constexpr int32_t Rectangle = 0;
inline constexpr int32_t Point = 1;
inline constexpr int32_t Polygon = 2;
inline constexpr int32_t Freehand = 3;
inline constexpr int32_t Circle = 4;
inline constexpr int32_t PaintLine = 64;
inline constexpr int32_t PaintFreehand = 67;
}  // namespace SelKind

class TSelectionClass {
 public:
  static constexpr int kStrokeBufferSize = 5;

  TPolygon Polygon;
  int32_t Kind = SelKind::Rectangle;
  bool ByColor = false;
  bool BoundsDirty = true;
  bool ShapeMode = false;
  // Geometry of the outline last drawn on screen.
  int32_t DrawnY1 = -1, DrawnY2 = -1, DrawnX1 = -1, DrawnX2 = -1;
  // Rectangle: two corners in any order. Point: (X2, Y2). Circle: centre
  // (X1, Y1), radius X2 = Y2. Polygon: X1 = Y1 = the vertex being dragged,
  // (X2, Y2) the last pointer position. X1 = -1: nothing selected.
  int32_t Y1 = -1, Y2 = -1, X1 = -1, X2 = -1;
  double StartTime = 0, MoveTime = 0;
  double Zoom = 1.0;
  int32_t DrawnScrollX = 0, DrawnScrollY = 0;
  std::array<TPoint, kStrokeBufferSize> StrokeBuffer{};
  int32_t StrokeCount = 0;
  double PaintTime = 0;
  double PressTime = 0, ReleaseTime = 0;

  bool IsPaintMode() const { return Kind >= 64; }
  bool IsPolygonKind() const { return Kind == SelKind::Polygon || Kind == SelKind::Freehand; }
  // Nothing selected in the sense of the bounds: paint modes, or no start
  // point and no polygon of two or more vertices.
  bool NothingSelected() const;
  void ClearCoordinates() { X1 = X2 = Y1 = Y2 = -1; }
  void ClearTimes() { StartTime = MoveTime = PaintTime = PressTime = ReleaseTime = 0; }
};

// The two icons of the mode panel: select or paint, then the shape (the
// by-colour icon when the colour gate is on) or the paint tool.
enum class TModeIcon { Select, Paint, Rectangle, Point, Circle, Polygon, Freehand, ByColor, Line };
struct TModeIcons {
  TModeIcon Tool, Shape;
  bool operator==(const TModeIcons&) const = default;
};
TModeIcons ModeIcons(const TSelectionClass& sel);

// The inclusive bounding rectangle of the selection in a W × H image.
TRect GetSelectionBounds(const TSelectionClass& sel, int width, int height);

// "Sel: (l,t) (r,b)", the fifth panel of the status bar.
std::string SelectionStatusText(const TRect& bounds);

}  // namespace lumarte::editor
