#pragma once
// Multi-byte numbers from a block whose bounds the caller has checked: most
// significant byte first (PNG, HIPS, ICO's embedded PNG headers, JPEG 2000
// codestreams) and least significant first (BMP, PCX, metafiles, streams).
#include <cstdint>

namespace lumarte::imaging {

inline uint32_t BigEndian16(const uint8_t* p) {
  return uint32_t{p[0]} << 8 | p[1];
}

inline uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

inline uint16_t LittleEndian16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t LittleEndian32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline int16_t LittleEndianSigned16(const uint8_t* p) {
  return static_cast<int16_t>(LittleEndian16(p));
}

inline int32_t LittleEndianSigned32(const uint8_t* p) {
  return static_cast<int32_t>(LittleEndian32(p));
}

}  // namespace lumarte::imaging
