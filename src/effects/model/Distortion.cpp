// Threshold distortion: channel values further than the threshold from a
// centre are pushed to 0 or 255 (or, clipped, to their distance).
#include <array>

#include "base/Rounding.h"
#include "effects/model/Transforms.h"

namespace lumarte::effects {

namespace {

// The median of (R+G+B)/3 over the selected pixels: element n/2 of the
// sorted values, found in a histogram of the sums.
double MedianBrightness(const EffectInput& in) {
  std::array<int64_t, 766> histogram{};
  int64_t n = 0;
  ForEachSelectedPixel(in, [&](const uint8_t* s, int, int) {
    ++histogram[s[0] + s[1] + s[2]];
    ++n;
  });
  if (n == 0) return 0;
  int64_t seen = 0;
  int key = 0;
  while (key < 765 && seen + histogram[key] <= n / 2) seen += histogram[key++];
  return key / 3.0;
}

// The new value of every channel value 0..255.
std::array<uint8_t, 256> DistortionTable(double centre, const DistortionParams& p) {
  std::array<uint8_t, 256> table{};
  const double t = p.Threshold;
  for (int v = 0; v < 256; ++v) {
    const int64_t d = Round(v - centre - t);
    const int64_t e = Round(centre - t - v);
    if (d >= 0)
      table[v] = p.Clipping ? ClampByte(d) : 255;
    else if (e >= 0)
      table[v] = p.Clipping ? static_cast<uint8_t>(255 - e) : 0;  // wraps as a byte
    else
      table[v] = static_cast<uint8_t>(v);
  }
  return table;
}

}  // namespace

editor::TBitmap Distortion(const EffectInput& in, const DistortionParams& p) {
  const double centre = (p.MedianCentre ? MedianBrightness(in) : 127.0) + p.Offset;
  const std::array<uint8_t, 256> table = DistortionTable(centre, p);
  editor::TBitmap out;
  MapSelectedPixels(in, out, [&](const uint8_t* s, uint8_t* d, int, int) {
    if (p.Blue) d[0] = table[s[0]];
    if (p.Green) d[1] = table[s[1]];
    if (p.Red) d[2] = table[s[2]];
  });
  return out;
}

}  // namespace lumarte::effects
