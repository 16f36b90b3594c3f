#pragma once
#include "imaging/BitStream.h"

namespace lumarte::imaging {

// Bit stream carrying Huffman-coded data; the coding operations belong to the
// Deflate codec.
class THuffmanBitStream : public TBitStream {
 public:
  using TBitStream::TBitStream;
};

}  // namespace lumarte::imaging
