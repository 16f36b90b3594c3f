#include "imaging/ByteReader.h"

#include <algorithm>
#include <cstring>

namespace lumarte::imaging {

TByteReader::TByteReader(TBaseStream& source)
    : Source(source), SourceExact(source.ExactCount), Buf(new uint8_t[kSize]) {
  // Read-ahead may run into the end of the data: only a short read of what
  // the decoder asked for is an error.
  if (SourceExact) Source.SetExactCount(false);
}

TByteReader::~TByteReader() {
  if (SourceExact) Source.SetExactCount(true);
}

size_t TByteReader::Fill() {
  Pos = 0;
  Filled = Source.Read(Buf.get(), kSize);
  return Filled;
}

void TByteReader::Refill() {
  if (Fill() == 0) RaiseShortTransfer();
}

void TByteReader::Read(void* buffer, size_t count) {
  auto out = static_cast<uint8_t*>(buffer);
  for (;;) {
    size_t have = std::min(count, Filled - Pos);
    std::memcpy(out, Buf.get() + Pos, have);
    Pos += have, out += have, count -= have;
    if (count == 0) return;
    // Large pieces go straight to the caller: one copy instead of two.
    if (count >= kSize / 16) {
      if (Source.Read(out, count) != count) RaiseShortTransfer();
      return;
    }
    Refill();
  }
}

void TByteReader::Skip(int64_t count) {
  while (count > 0) {
    size_t have = static_cast<size_t>(std::min<int64_t>(count, Filled - Pos));
    Pos += have, count -= have;
    if (count > 0) Refill();
  }
}

bool TByteReader::TryByte(uint8_t& value) {
  if (Pos == Filled && Fill() == 0) return false;
  value = Buf[Pos++];
  return true;
}

bool TByteReader::KnownShort(int64_t count) {
  auto* seekable = dynamic_cast<TSeekableStream*>(&Source);
  if (!seekable) return false;
  return seekable->Size() - seekable->Position() + static_cast<int64_t>(Filled - Pos) < count;
}

}  // namespace lumarte::imaging
