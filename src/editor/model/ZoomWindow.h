#pragma once
// The zoom window's values: the factor it shows, the current factor and the
// last applied one. The dialog only mirrors these.
#include "editor/model/ZoomStatus.h"

namespace lumarte::editor {

class TZoomWindowModel {
 public:
  double Shown = 1.0;  // the read-only field
  int TrackPosition = 0;
  double Current = 1.0;
  double LastApplied = 1.0;

  // The window opens on the current factor.
  void ShowFactor(double z) {
    Shown = z;
    TrackPosition = ZoomToTrackBar(z);
  }
  // Moving the bar shows a factor without applying it.
  void TrackMoved(int position) {
    TrackPosition = position;
    Shown = TrackBarToZoom(position);
  }
  // Returns the factor that is now current.
  double Apply() { return LastApplied = Current = Shown; }
  void Cancel() { ShowFactor(Current); }
  double Close() { return Current = LastApplied == 0 ? 1.0 : LastApplied; }
};

}  // namespace lumarte::editor
