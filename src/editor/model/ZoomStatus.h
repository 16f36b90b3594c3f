#pragma once
// Zoom steps, the zoom window's track-bar mapping, screen-to-image
// coordinates, the status-bar texts and the keyboard's stepping rules.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/Bitmap.h"
#include "editor/model/ColorSet.h"

namespace lumarte::editor {

inline constexpr double kZoomMax = 20.0;      // "+" stops here
inline constexpr double kZoomMinKey = 0.005;  // "-" stops here
inline constexpr double kZoomMinSet = 0.001;  // any zoom set by a command
inline constexpr int kZoomTrackMin = -100, kZoomTrackMax = 100;

struct TZoomMenuItem {
  const char* Caption;
  double Factor;
};
// The Zoom menu's fixed factors, in menu order.
extern const std::array<TZoomMenuItem, 9> kZoomMenu;

double ZoomIn(double z);   // the "+" and "=" keys
double ZoomOut(double z);  // the "-" key
double LimitZoom(double z);
// Track bar position for a factor and the factor a position shows.
int ZoomToTrackBar(double z);
double TrackBarToZoom(int position);

// round((screen + scroll) / z), halves to even; a factor of 0 counts as 1.0.
int ScreenToImage(int screen, int scroll, double z);

// The five panels of the top status bar.
std::string ZoomPanelText(double z);  // "(1.1:1)"
std::string XPanelText(int x);        // "X:12"
std::string YPanelText(int y);        // "Y:7"
std::string RGBPanelText(TColor c);   // "RGB: 12 200 7"
// Each panel is made at least as wide as its sample text plus 6 pixels.
extern const std::array<const char*, 4> kPanelWidthSamples;
inline constexpr int kPanelWidthPadding = 6;

// The arrow keys' scroll step: it grows while keys follow each other quickly.
class TArrowStep {
 public:
  static constexpr int kMax = 10;
  static constexpr double kQuick = 1.0 / 6;
  // The step for an arrow key pressed at time now; grow is true one time in
  // four (the caller draws it).
  int Press(double now, bool grow);
  void Release() { Step = 1; }
  int Current() const { return Step; }

 private:
  int Step = 1;
  double LastPress = -1.0e300;
};

// Ctrl+1..8: FG := Color k; Ctrl+0: exchange FG and BG; Ctrl+9: exchange FG
// and the interval centre.
void ApplyColourKey(TColorSet& colours, int digit);

}  // namespace lumarte::editor
