#pragma once
// The frame the user drags on the frozen screen copy. The frame always
// spans the pressed point and the pointer, so a drag may go in any
// direction; it stays inside the picture.
#include "editor/model/Bitmap.h"

namespace lumarte::capture {

struct TFrame {
  int Left = 0, Top = 0, Width = 1, Height = 1;
  bool operator==(const TFrame&) const = default;
};

class TRubberBand {
 public:
  // Frames of this size or less in either direction are ignored.
  static constexpr int kMinSide = 10;

  TRubberBand(int pictureWidth, int pictureHeight);

  bool Selecting() const { return Active; }
  bool Visible() const { return Shown; }
  const TFrame& Frame() const { return Current; }

  // Mouse down: a 1 x 1 frame at the pointer.
  void Press(int x, int y);
  // Mouse move with the left button held.
  void Move(int x, int y);
  // Mouse up: true when the frame is wider and higher than kMinSide; a
  // smaller one shrinks back to 1 x 1 and the user drags again.
  bool Release();

 private:
  int ClampX(int x) const;
  int ClampY(int y) const;
  int W, H;
  int AnchorX = 0, AnchorY = 0;
  TFrame Current;
  bool Active = false, Shown = false;
};

// The framed part of the picture.
editor::TBitmap CutFrame(const editor::TBitmap& picture, const TFrame& frame);

}  // namespace lumarte::capture
