#include "editor/model/Selection.h"

#include <algorithm>

namespace lumarte::editor {

bool TSelectionClass::NothingSelected() const {
  if (IsPaintMode()) return true;
  if (IsPolygonKind() && Polygon.Count() >= 2) return false;
  return X1 < 0;
}

TRect GetSelectionBounds(const TSelectionClass& sel, int width, int height) {
  const TRect whole{0, 0, width - 1, height - 1};
  if (sel.NothingSelected()) return whole;
  auto limitX = [&](int64_t v) { return static_cast<int32_t>(std::min<int64_t>(v, width - 1)); };
  auto limitY = [&](int64_t v) { return static_cast<int32_t>(std::min<int64_t>(v, height - 1)); };
  switch (sel.Kind) {
    case SelKind::Rectangle:
      if (sel.X1 == sel.X2 && sel.Y1 == sel.Y2) return whole;
      return {limitX(std::min(sel.X1, sel.X2)), limitY(std::min(sel.Y1, sel.Y2)),
              limitX(std::max(sel.X1, sel.X2)), limitY(std::max(sel.Y1, sel.Y2))};
    case SelKind::Point:
      return {limitX(sel.X2), limitY(sel.Y2), limitX(sel.X2), limitY(sel.Y2)};
    case SelKind::Circle: {
      auto clampX = [&](int64_t v) { return std::max(0, limitX(v)); };
      auto clampY = [&](int64_t v) { return std::max(0, limitY(v)); };
      int64_t cx = sel.X1, cy = sel.Y1, r = sel.X2;
      return {clampX(cx - r), clampY(cy - r), clampX(cx + r), clampY(cy + r)};
    }
    case SelKind::Polygon:
    case SelKind::Freehand:
      return sel.Polygon.GetBounds(width, height);
    default:
      return whole;
  }
}

TModeIcons ModeIcons(const TSelectionClass& sel) {
  using I = TModeIcon;
  if (sel.Kind == SelKind::PaintLine) return {I::Paint, I::Line};
  if (sel.IsPaintMode()) return {I::Paint, I::Freehand};
  if (sel.ByColor) return {I::Select, I::ByColor};
  switch (sel.Kind) {
    case SelKind::Point:
      return {I::Select, I::Point};
    case SelKind::Circle:
      return {I::Select, I::Circle};
    case SelKind::Polygon:
      return {I::Select, I::Polygon};
    case SelKind::Freehand:
      return {I::Select, I::Freehand};
    default:
      return {I::Select, I::Rectangle};
  }
}

std::string SelectionStatusText(const TRect& b) {
  return "Sel: (" + std::to_string(b.Left) + "," + std::to_string(b.Top) + ") (" +
         std::to_string(b.Right) + "," + std::to_string(b.Bottom) + ")";
}

}  // namespace lumarte::editor
