#include "capture/model/RubberBand.h"

#include <algorithm>
#include <cstdlib>

namespace lumarte::capture {

TRubberBand::TRubberBand(int pictureWidth, int pictureHeight)
    : W(std::max(pictureWidth, 1)), H(std::max(pictureHeight, 1)) {}

int TRubberBand::ClampX(int x) const {
  return std::clamp(x, 0, W - 1);
}
int TRubberBand::ClampY(int y) const {
  return std::clamp(y, 0, H - 1);
}

void TRubberBand::Press(int x, int y) {
  AnchorX = ClampX(x);
  AnchorY = ClampY(y);
  Current = {AnchorX, AnchorY, 1, 1};
  Active = Shown = true;
}

void TRubberBand::Move(int x, int y) {
  if (!Active) return;
  x = ClampX(x);
  y = ClampY(y);
  // Width and height count both edges.
  Current = {std::min(x, AnchorX), std::min(y, AnchorY), std::abs(x - AnchorX) + 1,
             std::abs(y - AnchorY) + 1};
}

bool TRubberBand::Release() {
  if (!Active) return false;
  Active = false;
  if (Current.Width > kMinSide && Current.Height > kMinSide) return true;
  Current = {AnchorX, AnchorY, 1, 1};
  return false;
}

editor::TBitmap CutFrame(const editor::TBitmap& picture, const TFrame& frame) {
  editor::TBitmap part(frame.Width, frame.Height);
  part.Draw(-frame.Left, -frame.Top, picture);
  return part;
}

}  // namespace lumarte::capture
