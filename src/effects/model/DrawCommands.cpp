// Commands that draw on the image with the canvas: the selection's border
// and the two flood fills. They ignore the selection test: the border is
// drawn whole and the fills spread as far as their colours allow.
#include "editor/model/Selection.h"
#include "effects/model/PixelOps.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;
using editor::TPoint;
using editor::TSelectionClass;
namespace SelKind = editor::SelKind;

void ClosedPolyline(TBitmap& canvas, const std::vector<TPoint>& points) {
  canvas.MoveTo(points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) canvas.LineTo(points[i].X, points[i].Y);
  canvas.LineTo(points[0].X, points[0].Y);
}

// Draws the border of the shape; false when there is nothing to draw.
bool DrawBorder(TBitmap& canvas, const TSelectionClass& sel, const editor::TRect& b) {
  switch (sel.Kind) {
    case SelKind::Rectangle:
      ClosedPolyline(canvas,
                     {{b.Left, b.Top}, {b.Right, b.Top}, {b.Right, b.Bottom}, {b.Left, b.Bottom}});
      return true;
    case SelKind::Point:
      ClosedPolyline(canvas, {{b.Left, b.Top},
                              {b.Right + 1, b.Top},
                              {b.Right + 1, b.Bottom + 1},
                              {b.Left, b.Bottom + 1}});
      return true;
    case SelKind::Circle: {
      // No circle drawn yet: no centre, no border.
      if (sel.X1 < 0) return false;
      const int cx = sel.X1, cy = sel.Y1, r = sel.X2;
      canvas.Ellipse(cx - r, cy - r, cx + r, cy + r);
      return true;
    }
    case SelKind::Polygon:
    case SelKind::Freehand:
      if (sel.Polygon.Count() == 0) return false;
      ClosedPolyline(canvas, sel.Polygon.Vertices());
      return true;
    default:  // painting modes
      return false;
  }
}

TBitmap FloodFromAnchor(const EffectInput& in, editor::TFillStyle style, editor::TColor colour) {
  TBitmap out = in.Source;
  const TPoint start = in.SelectionAnchor();
  out.BrushColor = in.Colours.BG.Color();
  out.FloodFill(start.X, start.Y, colour, style);
  return out;
}

// Fills the connected area of the start pixel's colour.
TBitmap FillSameColour(const EffectInput& in) {
  const TPoint start = in.SelectionAnchor();
  return FloodFromAnchor(in, editor::TFillStyle::fsSurface, in.Source.Pixel(start.X, start.Y));
}

// Fills outward up to pixels of the foreground colour.
TBitmap FillUpToFG(const EffectInput& in) {
  return FloodFromAnchor(in, editor::TFillStyle::fsBorder, in.Colours.FG.Color());
}

TBitmap PaintBorderOfSelection(const EffectInput& in) {
  // Without the shape there is no border to draw; a circle's centre and
  // radius do not follow from the bounds.
  if (!in.Shape) return {};
  TBitmap out = in.Source;
  out.PenColor = in.Colours.FG.Color();
  out.PenWidth = in.Colours.PenWidth;
  out.BrushClear = true;
  if (!DrawBorder(out, *in.Shape, in.Selection.Bounds())) return {};
  return out;
}

}  // namespace

const std::vector<PixelCommand>& DrawCommands() {
  static const std::vector<PixelCommand> commands{
      {"Paint Border of Selection (w. FG Color)", "", "LMPaintBorderofSelection1",
       PaintBorderOfSelection},
      {"As long as pixels are of the same color", "",
       "LMFillwithFGcoloraslongaspixelsareofBGcolor1", FillSameColour},
      {"Fill area with FG color as border ", "", "LMFillareawithFGcolor1", FillUpToFG},
  };
  return commands;
}

}  // namespace lumarte::effects
