#pragma once
// The two-grab rule: which of two copies of the video window is kept, and
// the one-second steps between the copies.
#include <memory>
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::video {

// Counting stops once the score reaches this.
inline constexpr int kDetailScoreCap = 30000;

// Vertical neighbour differences: 1 for any change, 2 more above 20 and 5
// more above 50 (summed over blue, green and red). All black scores 0.
int DetailScore(const editor::TBitmap& picture);

// The second copy wins unless it shows less detail than the first.
bool KeepSecondGrab(int firstScore, int secondScore);

// Whether the black cover panel is shown between the copies: a video
// overlay may miss from a screen copy, except for AVI files.
bool NeedsCoverPanel(bool captureCareful, const std::string& fileName);

enum class TGrabStep { Wait, HideCover, SecondGrab };

// The counter of the one-second grab timer.
class TGrabTimerSteps {
 public:
  void Start(bool coverShown) {
    Step = 0;
    Cover = coverShown;
  }
  TGrabStep Tick();

 private:
  int Step = 5;  // idle: past the grab
  bool Cover = false;
};

}  // namespace lumarte::video
