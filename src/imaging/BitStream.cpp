#include "imaging/BitStream.h"

namespace lumarte::imaging {

TBitStream::~TBitStream() {
  try {
    Flush();
  } catch (...) {
    // Nothing can be reported from a destructor.
  }
}

void TBitStream::WriteBits(uint32_t value, int count) {
  LUMARTE_ASSERT(count >= 0 && count <= 32);
  uint64_t bits = count == 32 ? value : value & ((1u << count) - 1);
  while (count > 0) {
    int take = std::min(count, 8 - WriteBitCount);
    OutByte |= static_cast<uint8_t>((bits & ((1u << take) - 1)) << WriteBitCount);
    WriteBitCount += take;
    bits >>= take;
    count -= take;
    if (WriteBitCount == 8) {
      Source->WriteExact(&OutByte, 1);
      OutByte = 0;
      WriteBitCount = 0;
    }
  }
}

int TBitStream::ReadBit() {
  if (ReadBitPos >= 8) {
    Source->ReadExact(&CurByte, 1);
    ReadBitPos = 0;
  }
  return (CurByte >> ReadBitPos++) & 1;
}

bool TBitStream::LoadByteIfAny() {
  bool exact = Source->ExactCount;
  Source->ExactCount = false;  // running out here is an answer, not an error
  size_t n = 0;
  try {
    n = Source->Read(&CurByte, 1);
  } catch (...) {
    Source->ExactCount = exact;
    throw;
  }
  Source->ExactCount = exact;
  if (n != 1) return false;
  ReadBitPos = 0;
  return true;
}

int TBitStream::ReadBits(void* buffer, int count) {
  auto out = static_cast<uint8_t*>(buffer);
  for (int i = 0; i < count; ++i) {
    if (ReadBitPos >= 8 && !LoadByteIfAny()) return i;
    if (i % 8 == 0) out[i / 8] = 0;
    out[i / 8] |= static_cast<uint8_t>(((CurByte >> ReadBitPos++) & 1) << (i % 8));
  }
  return count;
}

void TBitStream::Flush() {
  if (WriteBitCount > 0) {
    uint8_t b = OutByte;
    OutByte = 0;
    WriteBitCount = 0;
    Source->WriteExact(&b, 1);
  }
  ReadBitPos = 8;
  CurByte = 0;
}

}  // namespace lumarte::imaging
