#pragma once
#include <cstddef>
#include <cstdint>

namespace lumarte::imaging {

// Zero-based index of value in [data, data+count), or -1.
long FindByte(const void* data, size_t count, uint8_t value);
// Zero-based index of the two-byte pattern (first, second), or -1.
long FindWord(const void* data, size_t count, uint8_t first, uint8_t second);
void ZeroMem(void* data, size_t count);
inline uint32_t SwapEndian32(uint32_t v) { return __builtin_bswap32(v); }

}  // namespace lumarte::imaging
