#include <algorithm>
#include <cmath>

#include "base/Rounding.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

double Factor(int position, double span) {
  double f = std::abs(position) / span + 1.0;
  return position < 0 ? 1.0 / f : f;
}

// Intensity scaled to an integer key: the channel sum for all colours
// (intensity = key / 3), the channel itself otherwise.
int Key(const uint8_t* px, ContrastChannel c) {
  switch (c) {
    case ContrastChannel::Red:
      return px[2];
    case ContrastChannel::Green:
      return px[1];
    case ContrastChannel::Blue:
      return px[0];
    default:
      return px[0] + px[1] + px[2];
  }
}

}  // namespace

editor::TBitmap Contrast(const EffectInput& in, const ContrastParams& p) {
  const double c = Factor(p.Contrast, 50.0), m = Factor(p.Brightness, 200.0);
  const bool all = p.Channel == ContrastChannel::AllColors;
  const double divisor = all ? 3.0 : 1.0;
  // Median of the selected intensities: element floor(n/2) of the sorted list,
  // found from a histogram of the integer keys.
  std::vector<int64_t> histogram(766, 0);
  int64_t n = 0;
  ForEachSelectedPixel(in, [&](const uint8_t* s, int, int) {
    ++histogram[Key(s, p.Channel)];
    ++n;
  });
  int64_t seen = 0;
  int medianKey = 0;
  while (medianKey < 765 && seen + histogram[medianKey] <= n / 2) seen += histogram[medianKey++];
  const double median = medianKey / divisor;
  std::vector<double> ratio(766, 0.0);
  for (int key = 1; key < 766; ++key) {
    double i = key / divisor;
    ratio[key] = m * std::max(0.0, (i - median) * c + median) / i;
  }
  editor::TBitmap out;
  MapSelectedPixels(in, out, [&](const uint8_t* s, uint8_t* d, int, int) {
    double r = ratio[Key(s, p.Channel)];
    auto scale = [r](uint8_t v) {
      return static_cast<uint8_t>(std::min<int64_t>(255, Round(v * r)));
    };
    switch (p.Channel) {
      case ContrastChannel::AllColors:
        d[0] = scale(s[0]), d[1] = scale(s[1]), d[2] = scale(s[2]);
        break;
      case ContrastChannel::Red:
        d[2] = scale(s[2]);
        break;
      case ContrastChannel::Green:
        d[1] = scale(s[1]);
        break;
      case ContrastChannel::Blue:
        d[0] = scale(s[0]);
        break;
    }
  });
  return out;
}

}  // namespace lumarte::effects
