#pragma once
#include "imaging/Streams.h"

namespace lumarte::imaging {

// Bits packed least-significant first, as Deflate stores them.
class TBitStream : public TFilterStream {
 public:
  explicit TBitStream(TBaseStream* source) : TFilterStream(source) {}
  ~TBitStream() override;

  void WriteBits(uint32_t value, int count);
  int ReadBit();
  // Reads count bits into consecutive bytes; returns the bits actually read.
  int ReadBits(void* buffer, int count);
  // Byte alignment: writes a partial byte, then reading resumes at a whole byte.
  void Flush() override;

 protected:
  bool LoadByteIfAny();
  int WriteBitCount = 0;  // bits pending in OutByte
  int ReadBitPos = 8;     // next bit of CurByte to hand out; 8 = none loaded
  uint8_t CurByte = 0;    // the byte being read
  uint8_t OutByte = 0;    // the byte being written
};

}  // namespace lumarte::imaging
