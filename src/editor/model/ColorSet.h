#pragma once
// The program-wide drawing colours: foreground, background, the transparent
// colour interval (a colour sphere), eight numbered colours and the pen width.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::editor {

// Stored blue, green, red; components are normally 0..255 but the switched-off
// interval centre is -99 in each.
struct TColorEntry {
  int32_t B = 0, G = 0, R = 0;

  static constexpr TColorEntry FromRGB(int32_t r, int32_t g, int32_t b) { return {b, g, r}; }
  // The single colour value R + 256·G + 65536·B.
  int32_t Value() const { return R + 256 * G + 65536 * B; }
  // The value for canvas drawing, each component limited to 0..255.
  TColor Color() const;
  // Labels on a swatch are white on dark colours and black on light ones.
  bool LabelIsWhite() const { return R + G + B < 381; }
  bool operator==(const TColorEntry&) const = default;
};

// A member of the set: the interval's centre stands for the interval.
enum class TColorMember {
  FG,
  BG,
  TCI,
  Color1,
  Color2,
  Color3,
  Color4,
  Color5,
  Color6,
  Color7,
  Color8
};
inline constexpr TColorMember ColorK(int k) {
  return static_cast<TColorMember>(static_cast<int>(TColorMember::Color1) + k - 1);
}

inline constexpr int kPenWidthMin = 1;
inline constexpr int kPenWidthMax = 128;

class TColorSet {
 public:
  TColorEntry FG = TColorEntry::FromRGB(255, 255, 255);
  TColorEntry BG = TColorEntry::FromRGB(0, 0, 0);
  TColorEntry TCI = TColorEntry::FromRGB(0, 0, 0);
  int32_t TCIWidth = -1;
  std::array<TColorEntry, 8> Colors{
      TColorEntry::FromRGB(255, 255, 255), TColorEntry::FromRGB(0, 255, 0),
      TColorEntry::FromRGB(255, 0, 0),     TColorEntry::FromRGB(127, 127, 127),
      TColorEntry::FromRGB(178, 178, 64),  TColorEntry::FromRGB(22, 190, 200),
      TColorEntry::FromRGB(128, 255, 0),   TColorEntry::FromRGB(220, 210, 200)};
  int PenWidth = 1;

  // Color k for k = 1..8.
  TColorEntry& Color(int k) { return Colors.at(k - 1); }
  TColorEntry& Member(TColorMember m);
  const TColorEntry& Member(TColorMember m) const;
  const TColorEntry& Color(int k) const { return Colors.at(k - 1); }

  // (R - Rc)² + (G - Gc)² + (B - Bc)² <= w²: the width is squared, so the
  // default width -1 takes in black and its nearest neighbours.
  bool InTCI(int r, int g, int b) const;
  bool InTCI(TColor c) const { return InTCI(RedOf(c), GreenOf(c), BlueOf(c)); }

  // Exchanges two members; the interval centre is read with negative
  // components as 0.
  void SwapColours(TColorMember a, TColorMember b);
};

// The colour named in the "RGB: r g b" status panel; a part that does not
// parse raises "Scanning the Color for Red Failed" (Green, Blue).
TColorEntry ParseStatusColour(const std::string& panelText);

}  // namespace lumarte::editor
