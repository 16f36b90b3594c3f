#pragma once
// The colour panel's layout and the popup menu's colour commands as data:
// the window draws the swatches and builds the menus from these tables.
#include <string>
#include <vector>

#include "editor/model/ColorSet.h"

namespace lumarte::editor {

struct TSwatch {
  int Left, Right;  // x range [Left, Right); the height is the text height of "1" + 2
  TColorEntry Colour;
  char Label;
  int LabelX;  // the label's y is 1
  bool WhiteLabel;
};

// FG, BG, the interval centre, then Color 1..8 (each drawn over the one
// before: neighbouring numbered swatches overlap by 2 pixels).
std::vector<TSwatch> ColourPanelSwatches(const TColorSet& colours);
// The colour under the pointer fills the panel's rightmost pixels.
inline constexpr int kPointerSwatchWidth = 5;

// One popup command: the component name, its caption and the member it sets
// or exchanges.
struct TColourCommand {
  const char* Name;
  const char* Caption;
  TColorMember Member;
};

// "to Foreground Color", "to Background Color", "to Transparent Color
// Interval", then "to Color" > "Color 1" .. "Color 8".
extern const std::vector<TColourCommand> kTakeColourCommands;
// "switch Foreground Color and" > ...: FG with the member.
extern const std::vector<TColourCommand> kSwitchForegroundCommands;
// "switch Background Color and " > ...: BG with the member.
extern const std::vector<TColourCommand> kSwitchBackgroundCommands;

// The colour of the "RGB: " status panel becomes the member.
void TakeStatusColour(TColorSet& colours, TColorMember member, const std::string& panelText);

}  // namespace lumarte::editor
