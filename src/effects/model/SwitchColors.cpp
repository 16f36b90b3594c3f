#include "base/Rounding.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

const std::array<SwitchFormula, 24> kSwitchFormulas = {{
    {"Red component", 1, 1, 0, 0, 0},
    {"Green component", 1, 0, 1, 0, 0},
    {"Blue component", 1, 0, 0, 1, 0},
    {"0", 0, 0, 0, 0, 0},
    {"128", 1, 0, 0, 0, 0.5},
    {"255", 1, 0, 0, 0, 1},
    {"Brightness", 1.0 / 3, 1, 1, 1, 0},
    {"(Red+Green) div 2", 0.5, 1, 1, 0, 0},
    {"(Red+Blue) div 2", 0.5, 1, 0, 1, 0},
    {"(Green+Blue) div 2", 0.5, 0, 1, 1, 0},
    {"(2*Red+Green+Blue)  div 4", 0.25, 2, 1, 1, 0},
    {"(Red+2*Green+Blue)  div 4", 0.25, 1, 2, 1, 0},
    {"(Red+Green+2*Blue)  div 4", 0.25, 1, 1, 2, 0},
    {"(128+Brightness) div 2", 1.0 / 12, 2, 2, 2, 3},
    {"(255+Brightness) div 2", 1.0 / 6, 1, 1, 1, 3},
    {"(128+Red) div 2", 0.25, 2, 0, 0, 1},
    {"(128+Green) div 2", 0.25, 0, 2, 0, 1},
    {"(128+Blue) div 2", 0.25, 0, 0, 2, 1},
    {"(255+Red) div 2", 0.5, 1, 0, 0, 1},
    {"(255+Green) div 2", 0.5, 0, 1, 0, 1},
    {"(255+Blue) div 2", 0.5, 0, 0, 1, 1},
    {"(255-Red+Green+Blue) div 3", 1.0 / 3, -1, 1, 1, 1},
    {"(255+Red-Green+Blue) div 3", 1.0 / 3, 1, -1, 1, 1},
    {"(255+Red+Green-Blue) div 3", 1.0 / 3, 1, 1, -1, 1},
}};

const std::array<SwitchPreset, 6> kSwitchPresets = {{
    {"Grayscale", 6, 6, 6},
    {"RGB<-RBG (Blue <-> Green)", 0, 2, 1},
    {"RGB<-GRB (Red <-> Green)", 1, 0, 2},
    {"RGB<-GBR ", 1, 2, 0},
    {"RGB<-BRG ", 2, 0, 1},
    {"RGB<-BGR (Red <-> Blue)", 2, 1, 0},
}};

namespace {

uint8_t Evaluate(int formula, const uint8_t* px, uint8_t keep) {
  if (formula < 0 || formula >= static_cast<int>(kSwitchFormulas.size())) return keep;
  const SwitchFormula& f = kSwitchFormulas[formula];
  return ClampByte(Round((px[2] * f.R + px[1] * f.G + px[0] * f.B + 255 * f.K) * f.Mult));
}

}  // namespace

editor::TBitmap SwitchColors(const EffectInput& in, const SwitchColorsParams& given) {
  SwitchColorsParams p = given;
  if (p.Preset > 0 && p.Preset <= static_cast<int>(kSwitchPresets.size())) {
    const SwitchPreset& s = kSwitchPresets[static_cast<size_t>(p.Preset - 1)];
    p.Red = s.Red, p.Green = s.Green, p.Blue = s.Blue;
  }
  editor::TBitmap out;
  MapSelectedPixels(in, out, [&](const uint8_t* s, uint8_t* d, int, int) {
    // All targets come from the source pixel, never from a switched value.
    d[2] = Evaluate(p.Red, s, s[2]);
    d[1] = Evaluate(p.Green, s, s[1]);
    d[0] = Evaluate(p.Blue, s, s[0]);
  });
  return out;
}

}  // namespace lumarte::effects
