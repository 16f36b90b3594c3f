#pragma once
// Puts the selection outline on a frame of the view: each outline pixel shows
// the mark colour of the pixel beneath it. The document is never touched;
// the next frame without the outline erases it.
#include <vector>

#include <QImage>

#include "editor/model/Outline.h"

namespace lumarte::editor {

void PaintOutline(QImage& frame, const std::vector<TPoint>& points);

}  // namespace lumarte::editor
