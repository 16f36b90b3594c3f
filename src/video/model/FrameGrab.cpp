#include "video/model/FrameGrab.h"

#include <cstdlib>

#include "imaging/FileUtils.h"

namespace lumarte::video {

int DetailScore(const editor::TBitmap& picture) {
  const int w = picture.Width(), h = picture.Height();
  int score = 0;
  for (int x = 0; x < w && score < kDetailScoreCap; ++x) {
    for (int y = 0; y + 2 < h && score < kDetailScoreCap; ++y) {
      const uint8_t* p = picture.ScanLine(y) + x * 3;
      const uint8_t* below = picture.ScanLine(y + 1) + x * 3;
      int d = std::abs(p[0] - below[0]) + std::abs(p[1] - below[1]) + std::abs(p[2] - below[2]);
      if (d > 0) score += 1;
      if (d > 20) score += 2;
      if (d > 50) score += 5;
    }
  }
  return score;
}

bool KeepSecondGrab(int firstScore, int secondScore) {
  return secondScore >= firstScore;
}

bool NeedsCoverPanel(bool captureCareful, const std::string& fileName) {
  return captureCareful || imaging::UpperCase(fileName).find(".AVI") == std::string::npos;
}

TGrabStep TGrabTimerSteps::Tick() {
  if (Step == 0 && !Cover) Step = 3;
  TGrabStep result = TGrabStep::Wait;
  if (Step == 1) result = TGrabStep::HideCover;
  if (Step == 3) {
    result = TGrabStep::SecondGrab;
    ++Step;
  }
  // Ticks after the grab keep counting without effect.
  if (Step < 1000) ++Step;
  return result;
}

}  // namespace lumarte::video
