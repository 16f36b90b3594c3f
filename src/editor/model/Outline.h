#pragma once
// The selection outline as the view draws it: screen pixels that show the
// mark colour of the document pixel beneath them. Nothing is drawn into the
// document; erasing is showing the document pixel again.
#include <vector>

#include "editor/model/Bitmap.h"
#include "editor/model/Selection.h"

namespace lumarte::editor {

// Contrasting colour for a document pixel, channel by channel.
TColor MarkColor(TColor c);

// Where the view is: zoom factor (screen pixels per image pixel), scroll
// positions and the size of the image control.
struct TViewport {
  double Zoom = 1.0;
  int ScrollX = 0, ScrollY = 0;
  int Width = 0, Height = 0;
};

// Screen pixels of the outline inside the viewport: rectangle and point as
// four edges, a circle as max(10·r, 10) + 1 dots, a polygon as its closed
// chain of edges. Empty when nothing is selected or in a paint mode.
std::vector<TPoint> OutlinePoints(const TSelectionClass& sel, const TViewport& view);

}  // namespace lumarte::editor
