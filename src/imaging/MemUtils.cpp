#include "imaging/MemUtils.h"

#include <cstring>

namespace lumarte::imaging {

long FindByte(const void* data, size_t count, uint8_t value) {
  auto p = static_cast<const uint8_t*>(memchr(data, value, count));
  return p ? static_cast<long>(p - static_cast<const uint8_t*>(data)) : -1;
}

long FindWord(const void* data, size_t count, uint8_t first, uint8_t second) {
  auto base = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i + 1 < count;) {
    auto p = static_cast<const uint8_t*>(memchr(base + i, first, count - 1 - i));
    if (!p) return -1;
    i = static_cast<size_t>(p - base);
    if (base[i + 1] == second) return static_cast<long>(i);
    ++i;
  }
  return -1;
}

void ZeroMem(void* data, size_t count) {
  if (count) std::memset(data, 0, count);
}

}  // namespace lumarte::imaging
