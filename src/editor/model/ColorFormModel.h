#pragma once
// The working state of the "Select Color" dialog: a copy of the colour set
// that the controls edit, written back only on OK.
#include <array>

#include "editor/model/ColorSet.h"

namespace lumarte::editor {

// Tab 0 edits the foreground, tab 1 the background, tabs 2..9 Color 1..8.
inline constexpr int kColorTabCount = 10;
TColorMember ColorTabMember(int tab);
// "Foreground", "Background", "Color 1" .. "Color 8".
extern const std::array<const char*, kColorTabCount> kColorTabCaptions;

enum class TChannel { Red, Green, Blue };

inline constexpr int kLineWidthMin = 1;
inline constexpr int kLineWidthMax = 32;
inline constexpr int kTCIWidthMin = -1;
inline constexpr int kTCIWidthMax = 128;
// The centre an interval that is switched off gets: no pixel reaches it.
inline constexpr TColorEntry kTCIOff = TColorEntry::FromRGB(-99, -99, -99);

class TColorFormModel {
 public:
  // Starts a showing from the program's set. The tab is kept. An interval
  // that is off leaves the interval bars where they were last time.
  void Load(const TColorSet& set);
  // OK: every colour, the interval, its width and the line width.
  void WriteBack(TColorSet& set) const;

  int Tab() const { return CurrentTab; }
  void SelectTab(int tab);
  TColorEntry Selected() const;
  const TColorEntry& Member(TColorMember m) const;
  // Components are 0..255, widths within their bars' ranges.
  void SetSelected(TChannel channel, int value);
  void SetSelected(TColorEntry colour);
  // Exchanges the colour of the current tab with the one of another tab.
  void SwitchWith(int tab);

  // The line width as the bar shows it (1..32); a wider pen set elsewhere is
  // kept until the bar is moved.
  int LineWidth() const;
  void SetLineWidth(int width);

  const TColorEntry& TCICentre() const { return Work.TCI; }
  void SetTCI(TChannel channel, int value);
  int TCIWidth() const;
  void SetTCIWidth(int width);
  bool UseTCI() const { return TCIOn; }
  void SetUseTCI(bool on) { TCIOn = on; }

 private:
  TColorEntry& Edited() { return Work.Member(ColorTabMember(CurrentTab)); }

  TColorSet Work;
  int CurrentTab = 0;
  bool TCIOn = true;
};

}  // namespace lumarte::editor
