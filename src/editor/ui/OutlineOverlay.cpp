#include "editor/ui/OutlineOverlay.h"

namespace lumarte::editor {

void PaintOutline(QImage& frame, const std::vector<TPoint>& points) {
  for (const TPoint& p : points) {
    if (!frame.valid(p.X, p.Y)) continue;
    const QRgb under = frame.pixel(p.X, p.Y);
    const TColor mark = MarkColor(RGBColor(qRed(under), qGreen(under), qBlue(under)));
    frame.setPixel(p.X, p.Y, qRgb(RedOf(mark), GreenOf(mark), BlueOf(mark)));
  }
}

}  // namespace lumarte::editor
