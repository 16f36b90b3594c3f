#include "imaging/CRC32Stream.h"

#include <array>

namespace lumarte::imaging {

namespace {

// Slicing-by-8 tables: table[0] is the classic byte table.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

Tables MakeTables() {
  Tables t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (uint32_t i = 0; i < 256; ++i)
    for (int s = 1; s < 8; ++s) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
  return t;
}

const Tables kTables = MakeTables();

}  // namespace

uint32_t UpdateCRC32(uint32_t reg, const void* data, size_t count) {
  auto p = static_cast<const uint8_t*>(data);
  const auto& t = kTables;
  while (count >= 8) {
    uint32_t lo = reg ^ (p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
    uint32_t hi = p[4] | p[5] << 8 | p[6] << 16 | static_cast<uint32_t>(p[7]) << 24;
    reg = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
          t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
    p += 8;
    count -= 8;
  }
  while (count--) reg = t[0][(reg ^ *p++) & 0xFF] ^ (reg >> 8);
  return reg;
}

size_t TCRC32Stream::Write(const void* buffer, size_t count) {
  Reg = UpdateCRC32(Reg, buffer, count);
  return Source->Write(buffer, count);
}

size_t TCRC32Stream::Read(void* buffer, size_t count) {
  size_t n = Source->Read(buffer, count);
  Reg = UpdateCRC32(Reg, buffer, n);
  return n;
}

}  // namespace lumarte::imaging
