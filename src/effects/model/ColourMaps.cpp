// Commands that map each selected pixel's colour on its own.
#include "effects/model/PixelOps.h"
#include "base/Rounding.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;
using editor::TColorSet;

// Pixels are (blue, green, red) bytes.
void ColorizePixel(const uint8_t* s, uint8_t* d, const TColorSet&) {
  const int b = s[0], g = s[1], r = s[2];
  const int a = (b + g + r) / 3;
  if (2 * b != g + r) {
    // Spread each channel away from the mean; / truncates toward zero.
    for (int i = 0; i < 3; ++i) d[i] = ClampByte((s[i] - a) * 5 / 3 + a);
    return;
  }
  // Gray pixels (and those whose blue is the mean of green and red) take a
  // warm tint.
  d[0] = ClampByte(Round(a * 1.17 - 3));
  d[1] = ClampByte(Round(a * 1.2 - 4));
  d[2] = ClampByte(Round(a * 1.23 - 6));
}

void Put(uint8_t* d, const editor::TColorEntry& c) {
  d[0] = ClampByte(c.B);
  d[1] = ClampByte(c.G);
  d[2] = ClampByte(c.R);
}

void FillWithBG(const uint8_t*, uint8_t* d, const TColorSet& c) {
  Put(d, c.BG);
}

// Every map writes all three bytes, also where the colour stays.
void Keep(const uint8_t* s, uint8_t* d) {
  d[0] = s[0], d[1] = s[1], d[2] = s[2];
}

void TCIToBG(const uint8_t* s, uint8_t* d, const TColorSet& c) {
  c.InTCI(s[2], s[1], s[0]) ? Put(d, c.BG) : Keep(s, d);
}

void TCIToTransparent(const uint8_t* s, uint8_t* d, const TColorSet& c) {
  c.InTCI(s[2], s[1], s[0]) ? Put(d, c.TCI) : Keep(s, d);
}

void BGToFG(const uint8_t* s, uint8_t* d, const TColorSet& c) {
  s[0] == c.BG.B && s[1] == c.BG.G && s[2] == c.BG.R ? Put(d, c.FG) : Keep(s, d);
}

// The map is a template argument so that it is inlined into the loop.
template <void (*Map)(const uint8_t*, uint8_t*, const TColorSet&)>
TBitmap MapColours(const EffectInput& in) {
  return MapRuns(in, [&](const uint8_t* s, uint8_t* d, int n) {
    for (int i = 0; i < n; ++i, s += 3, d += 3) Map(s, d, in.Colours);
  });
}

// Switch Colors with its first preset (Grayscale) confirmed at once.
TBitmap Grayscale(const EffectInput& in) {
  const SwitchPreset& p = kSwitchPresets[0];
  return SwitchColors(in, {p.Red, p.Green, p.Blue});
}

}  // namespace

// Every byte inverts alike: a plain loop over whole runs.
TBitmap NegativeImage(const EffectInput& in) {
  return MapRuns(in, [](const uint8_t* s, uint8_t* d, int n) {
    for (int i = 0; i < 3 * n; ++i) d[i] = static_cast<uint8_t>(~s[i]);
  });
}

const std::vector<PixelCommand>& ColourMapCommands() {
  static const std::vector<PixelCommand> commands{
      {"Negative Image", "", "LMNegativeImage1", NegativeImage},
      {"Grayscale", "", "LMGrayscale1", Grayscale},
      {"Colorize", "", "LMColorize1", MapColours<ColorizePixel>},
      {"Pixels with color in TCI -> BGColor ", "", "LMColororTCIColor1", MapColours<TCIToBG>},
      {"Pixels with color in TCI -> Transparent Color", "", "LMTCITransparentColor1",
       MapColours<TCIToTransparent>},
      {"Pixels with BGColor -> FGColor", "", "LMBGColorFGColor1", MapColours<BGToFG>},
      {"Fill Selection (w. BG Color)", "", "LMFillSelection1", MapColours<FillWithBG>},
  };
  return commands;
}

}  // namespace lumarte::effects
