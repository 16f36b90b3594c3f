#pragma once
// Adler-32 (RFC 1950): the checksum of a zlib stream's uncompressed data.
#include <cstddef>
#include <cstdint>

namespace lumarte::imaging {

constexpr uint32_t kAdler32Start = 1;

// Continues the checksum `adler` (b * 65536 + a) over count bytes.
uint32_t UpdateAdler32(uint32_t adler, const void* data, size_t count);

}  // namespace lumarte::imaging
