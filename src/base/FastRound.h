#pragma once
// Rounding for inner loops: the same results as Round and ClampRound
// (halves to even) without a library call per value. Adding and taking away
// 1.5 * 2^52 leaves a double rounded to an integer by the processor's
// rounding mode, which is what nearbyint uses too.
#include <cstdint>

namespace lumarte {

// For |v| < 2^51.
inline double RoundSmall(double v) {
  constexpr double kMagic = 6755399441055744.0;
  return (v + kMagic) - kMagic;
}

inline uint8_t FastClampRound(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 255.0f) return 255;
  return static_cast<uint8_t>(RoundSmall(v));
}

// The same for doubles, without going through float.
inline uint8_t FastClampRound(double v) {
  if (!(v > 0.0)) return 0;
  if (v >= 255.0) return 255;
  return static_cast<uint8_t>(RoundSmall(v));
}

}  // namespace lumarte
