#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

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
  std::mutex merge;
  ParallelCandidateRows(in, [&](int first, int end) {
    std::vector<int64_t> part(766, 0);
    int64_t count = 0;
    for (int y = first; y < end; ++y) {
      const uint8_t* s = in.Source.ScanLine(y);
      in.Selection.ForEachRun(y, [&](int lo, int hi) {
        for (int x = lo; x <= hi; ++x) ++part[Key(s + 3 * x, p.Channel)];
        count += hi - lo + 1;
      });
    }
    std::lock_guard<std::mutex> lock(merge);
    for (int k = 0; k < 766; ++k) histogram[k] += part[k];
    n += count;
  });
  int64_t seen = 0;
  int medianKey = 0;
  while (medianKey < 765 && seen + histogram[medianKey] <= n / 2) seen += histogram[medianKey++];
  const double median = medianKey / divisor;
  // Every result byte by key and old value, computed once instead of a
  // rounding per channel and pixel.
  std::vector<uint8_t> scaled(766 * 256, 0);
  for (int key = 1; key < 766; ++key) {
    double i = key / divisor;
    const double ratio = m * std::max(0.0, (i - median) * c + median) / i;
    for (int v = 0; v < 256; ++v)
      scaled[key * 256 + v] = static_cast<uint8_t>(std::min<int64_t>(255, Round(v * ratio)));
  }
  const int channel = p.Channel == ContrastChannel::Red     ? 2
                      : p.Channel == ContrastChannel::Green ? 1
                      : p.Channel == ContrastChannel::Blue  ? 0
                                                            : -1;
  return MapRuns(in, [&](const uint8_t* s, uint8_t* d, int count) {
    for (int i = 0; i < count; ++i, s += 3, d += 3) {
      const uint8_t* to = &scaled[Key(s, p.Channel) * 256];
      if (channel < 0) {
        d[0] = to[s[0]], d[1] = to[s[1]], d[2] = to[s[2]];
      } else {
        d[0] = s[0], d[1] = s[1], d[2] = s[2];
        d[channel] = to[s[channel]];
      }
    }
  });
}

}  // namespace lumarte::effects
