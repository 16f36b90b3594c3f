#pragma once
// Reads from a block whose bounds the caller has checked (the integers are in
// imaging/Endian.h).
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "imaging/Endian.h"

namespace lumarte::imaging {

inline float GetF32(const uint8_t* p) {
  uint32_t u = LittleEndian32(p);
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}
// True when [offset, offset + count) lies inside a block of size bytes.
inline bool Fits(size_t size, size_t offset, size_t count) {
  return offset <= size && count <= size - offset;
}

}  // namespace lumarte::imaging
