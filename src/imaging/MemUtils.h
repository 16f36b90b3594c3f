#pragma once
#include <cstddef>
#include <cstdint>

namespace lumarte::imaging {

// Zero-based index of value in [data, data+count), or -1.
long FindByte(const void* data, size_t count, uint8_t value);
// Zero-based index of the two-byte pattern (first, second), or -1.
long FindWord(const void* data, size_t count, uint8_t first, uint8_t second);
void ZeroMem(void* data, size_t count);
// Asks for huge pages under a large block about to be filled: a first touch
// of every 4 KB page can cost several times the copy that fills it, and huge
// pages cut those faults by 512. Only advice: ignored where unsupported.
void AdviseHugePages(void* block, size_t bytes);
inline uint32_t SwapEndian32(uint32_t v) { return __builtin_bswap32(v); }

}  // namespace lumarte::imaging
