#include "imaging/MemUtils.h"

#include <sys/mman.h>

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

void AdviseHugePages(void* block, size_t bytes) {
  constexpr size_t kPage = 4096, kWorthIt = size_t{4} << 20;
  if (bytes < kWorthIt) return;
  auto first = (reinterpret_cast<uintptr_t>(block) + kPage - 1) & ~uintptr_t{kPage - 1};
  auto end = (reinterpret_cast<uintptr_t>(block) + bytes) & ~uintptr_t{kPage - 1};
  if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

}  // namespace lumarte::imaging
