#pragma once
// Fast byte-at-a-time reading for decoders: a read-ahead buffer whose single
// bytes come inline, without a virtual call each.
#include <cstdint>
#include <memory>

#include "imaging/Streams.h"

namespace lumarte::imaging {

class TByteReader {
 public:
  explicit TByteReader(TBaseStream& source);
  ~TByteReader();
  TByteReader(const TByteReader&) = delete;
  TByteReader& operator=(const TByteReader&) = delete;

  // Each of these raises "Read less than expected" when the data ends early.
  uint8_t Byte() {
    if (Pos == Filled) Refill();
    return Buf[Pos++];
  }
  void Read(void* buffer, size_t count);
  void Skip(int64_t count);
  // Next byte, or false at the end of the data.
  bool TryByte(uint8_t& value);
  // True when the source is known to hold fewer than count more bytes; only
  // seekable sources know their length, others are never "short".
  bool KnownShort(int64_t count);

 private:
  static constexpr size_t kSize = 65536;
  size_t Fill();  // refills the buffer, returns the bytes now held
  void Refill();  // Fill, raising at the end of the data

  TBaseStream& Source;
  bool SourceExact;
  std::unique_ptr<uint8_t[]> Buf;
  size_t Pos = 0, Filled = 0;
};

}  // namespace lumarte::imaging
