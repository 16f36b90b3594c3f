#pragma once
// A walk over a JPEG 2000 codestream's marker segments, without decoding.
#include <cstddef>
#include <cstdint>

namespace lumarte::jp2 {

// True when a COD or COC segment of the main header or of a tile-part header
// asks for high-throughput code-blocks, or a CAP segment is present. The
// OpenJPEG build the program runs with stops the process on an assertion in
// that block decoder when the data is damaged, so such files are refused.
bool UsesHighThroughputBlocks(const uint8_t* data, size_t size);

}  // namespace lumarte::jp2
