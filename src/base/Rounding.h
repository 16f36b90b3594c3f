#pragma once
// The one rounding rule (halves to the even neighbour) and the one clamp.
#include <cmath>
#include <cstdint>

namespace lumarte {

// Nearest integer, ties to even (the processor's default rounding mode).
inline int64_t Round(double v) {
  if (!(v == v)) return 0;  // NaN
  if (v > 9.2e18) return INT64_MAX;
  if (v < -9.2e18) return INT64_MIN;
  return static_cast<int64_t>(std::nearbyint(v));
}

inline uint8_t ClampByte(int64_t v) {
  return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// round then clamp to 0..255: how a computed channel becomes a byte.
inline uint8_t ClampRound(double v) {
  if (!(v > 0.0)) return 0;
  if (v >= 255.0) return 255;
  return static_cast<uint8_t>(std::nearbyint(v));
}


}  // namespace lumarte
