// Commands that map each selected pixel's colour on its own.
#include "effects/model/PixelOps.h"
#include "base/Rounding.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;
using editor::TColorSet;

// Pixels are (blue, green, red) bytes.
void Negative(const uint8_t* s, uint8_t* d, const TColorSet&) {
  d[0] = static_cast<uint8_t>(255 - s[0]);
  d[1] = static_cast<uint8_t>(255 - s[1]);
  d[2] = static_cast<uint8_t>(255 - s[2]);
}

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

void TCIToBG(const uint8_t* s, uint8_t* d, const TColorSet& c) {
  if (c.InTCI(s[2], s[1], s[0])) Put(d, c.BG);
}

void TCIToTransparent(const uint8_t* s, uint8_t* d, const TColorSet& c) {
  if (c.InTCI(s[2], s[1], s[0])) Put(d, c.TCI);
}

void BGToFG(const uint8_t* s, uint8_t* d, const TColorSet& c) {
  if (s[0] == c.BG.B && s[1] == c.BG.G && s[2] == c.BG.R) Put(d, c.FG);
}

// The map is a template argument so that it is inlined into the loop.
template <void (*Map)(const uint8_t*, uint8_t*, const TColorSet&)>
TBitmap MapColours(const EffectInput& in) {
  TBitmap out;
  MapSelectedPixels(in, out,
                    [&](const uint8_t* s, uint8_t* d, int, int) { Map(s, d, in.Colours); });
  return out;
}

// Switch Colors with its first preset (Grayscale) confirmed at once.
TBitmap Grayscale(const EffectInput& in) {
  const SwitchPreset& p = kSwitchPresets[0];
  return SwitchColors(in, {p.Red, p.Green, p.Blue});
}

}  // namespace

TBitmap NegativeImage(const EffectInput& in) {
  if (!in.Selection.SelectsAll()) return MapColours<Negative>(in);
  // Every byte inverts alike: one plain loop over each row.
  TBitmap out = in.Source;
  const size_t rowBytes = static_cast<size_t>(out.BytesPerLine());
  for (int y = 0; y < out.Height(); ++y) {
    uint8_t* d = out.ScanLine(y);
    for (size_t i = 0; i < rowBytes; ++i) d[i] = static_cast<uint8_t>(~d[i]);
  }
  return out;
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
