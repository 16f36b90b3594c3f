#pragma once
// A font family name to a font file through fontconfig, with the rendering
// settings the system gives that font (as the window's text drawing uses).
#include <string>

namespace lumarte::platform {

enum class THintStyle { None, Slight, Medium, Full };

struct TFontFace {
  std::string File;
  int Index = 0;
  bool Embolden = false, Oblique = false;  // synthesised: the family lacks the style
  bool Antialias = true;
  THintStyle Hinting = THintStyle::Slight;
};

// Raises ELumarteError when no installed font answers to the family: neither
// the family itself nor a font the system configures in its place.
TFontFace MatchFont(const std::string& family, bool bold, bool italic);

}  // namespace lumarte::platform
