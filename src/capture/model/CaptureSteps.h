#pragma once
// The capture window's timer steps: an optional "Photo!" flash over the
// whole screen, then the copy of the screen. One step per timer tick; the
// capture is over when the step reaches 3.
#include "capture/model/CaptureSettings.h"

namespace lumarte::capture {

enum class TCaptureAction {
  ShowPhoto,  // step 0: the window covers the screen with "Photo!"
  HidePhoto,  // step 1: the window goes away again
  Grab,       // step 2: copy the screen (or the active window), then close
  Close,      // step 3 and later: nothing left but closing
};

class TCaptureSteps {
 public:
  static constexpr int kHotKeyInterval = 100;  // ms from the hot key to the first tick

  explicit TCaptureSteps(const TCaptureSettings& settings);

  int Step() const { return StepNo; }
  int IntervalMs() const { return Interval; }
  // The timer runs from the start after a delay, only after the hot key otherwise.
  bool TimerRunning() const { return Running; }
  bool WaitsForHotKey() const { return !Running && !Done(); }
  bool Done() const { return StepNo >= 3; }

  // The hot key arrived: the timer starts (a second press changes nothing).
  void HotKeyPressed() { Running = true; }
  // One timer tick: what the window does now; then the step advances.
  TCaptureAction Tick();

 private:
  int StepNo;
  int Interval;
  bool Running;
};

}  // namespace lumarte::capture
