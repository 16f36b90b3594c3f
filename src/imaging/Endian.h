#pragma once
// Multi-byte numbers stored most significant byte first (PNG, HIPS, ICO's
// embedded PNG headers, JPEG 2000 codestreams).
#include <cstdint>

namespace lumarte::imaging {

inline uint32_t BigEndian16(const uint8_t* p) {
  return uint32_t{p[0]} << 8 | p[1];
}

inline uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

}  // namespace lumarte::imaging
