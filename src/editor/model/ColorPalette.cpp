#include "editor/model/ColorPalette.h"

#include <algorithm>
#include <cmath>

#include "imaging/Errors.h"

namespace lumarte::editor {

namespace {

struct TRGBf {
  double R, G, B;
};

// The fully saturated colour of hue h in [0, 6] (red, yellow, green, cyan,
// blue, magenta, red).
TRGBf Hue(double h) {
  auto ramp = [](double d) { return std::clamp(d, 0.0, 1.0); };
  return {ramp(std::abs(h - 3) - 1), ramp(2 - std::abs(h - 2)), ramp(2 - std::abs(h - 4))};
}

uint8_t Byte(double v) {
  return static_cast<uint8_t>(std::clamp(std::nearbyint(v * 255), 0.0, 255.0));
}

// t runs from 0 (white) over 0.5 (the pure hue) to 1 (black).
TColor Shade(const TRGBf& hue, double t) {
  auto mix = [t](double c) { return t <= 0.5 ? 1 - (1 - c) * (t / 0.5) : c * (1 - t) / 0.5; };
  return RGBColor(Byte(mix(hue.R)), Byte(mix(hue.G)), Byte(mix(hue.B)));
}

}  // namespace

TBitmap MakeColourPalette(int width, int height) {
  if (width < 2 || height < 2 * (kPaletteGreyRows + 2) || width > 4096 || height > 4096)
    throw ELumarteError("Invalid palette size");
  TBitmap palette(width, height);
  const int spectrumRows = height - kPaletteGreyRows;
  for (int x = 0; x < width; ++x) {
    const double along = static_cast<double>(x) / (width - 1);
    const TRGBf hue = Hue(6 * along);
    for (int y = 0; y < spectrumRows; ++y)
      palette.SetPixel(x, y, Shade(hue, static_cast<double>(y) / (spectrumRows - 1)));
    const uint8_t grey = Byte(along);
    for (int y = spectrumRows; y < height; ++y) palette.SetPixel(x, y, RGBColor(grey, grey, grey));
  }
  return palette;
}

TColorEntry PaletteColourAt(const TBitmap& palette, int x, int y) {
  if (palette.Empty()) return {};
  const TColor c =
      palette.Pixel(std::clamp(x, 0, palette.Width() - 1), std::clamp(y, 0, palette.Height() - 1));
  return TColorEntry::FromRGB(RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace lumarte::editor
