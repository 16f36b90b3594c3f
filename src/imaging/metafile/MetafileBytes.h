#pragma once
// Little-endian reads from a block whose bounds the caller has checked.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lumarte::imaging {

inline uint16_t GetU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline int16_t GetS16(const uint8_t* p) {
  return static_cast<int16_t>(GetU16(p));
}
inline uint32_t GetU32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t GetS32(const uint8_t* p) {
  return static_cast<int32_t>(GetU32(p));
}
inline float GetF32(const uint8_t* p) {
  uint32_t u = GetU32(p);
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}
// True when [offset, offset + count) lies inside a block of size bytes.
inline bool Fits(size_t size, size_t offset, size_t count) {
  return offset <= size && count <= size - offset;
}

}  // namespace lumarte::imaging
