#include "imaging/BufStream.h"

#include <cstring>

namespace lumarte::imaging {

namespace {

size_t BufferSize(int requested) {
  if (requested == 1 || requested < -1) throw EStreamCreate("Invalid buffer size");
  return requested == -1 ? TBufferedStream::kDefaultBufferSize : static_cast<size_t>(requested);
}

}  // namespace

TBufferedStream::TBufferedStream(int readBufferSize, TBaseStream* source, int writeBufferSize)
    : TFilterStream(source) {
  size_t readSize = BufferSize(readBufferSize);
  size_t writeSize = BufferSize(writeBufferSize);
  CanRead = source->CanRead;
  CanWrite = source->CanWrite;
  ExactCount = source->ExactCount;
  if (CanRead && readSize) {
    ReadSize = readSize;
    ReadBuf = std::make_unique<uint8_t[]>(readSize);
    if (ExactCount) {
      // Read-ahead may run into the end of the source: that is not an error.
      source->SetExactCount(false);
      RestoreExactCount = true;
    }
  }
  if (CanWrite && writeSize) {
    WriteSize = writeSize;
    WriteBuf = std::make_unique<uint8_t[]>(writeSize);
  }
}

TBufferedStream::~TBufferedStream() {
  try {
    Flush();
  } catch (...) {
    // A destructor cannot report; callers that care call Flush first.
  }
  if (RestoreExactCount) Source->SetExactCount(true);
}

size_t TBufferedStream::Read(void* buffer, size_t count) {
  if (!ReadSize) return Source->Read(buffer, count);
  auto out = static_cast<uint8_t*>(buffer);
  size_t have = std::min(count, ReadFilled - ReadPos);
  if (have) std::memcpy(out, ReadBuf.get() + ReadPos, have);
  ReadPos += have;
  size_t need = count - have;
  if (need == 0) return count;
  size_t got;
  ReadPos = ReadFilled = 0;
  if (need < ReadSize) {
    ReadFilled = Source->Read(ReadBuf.get(), ReadSize);
    got = std::min(need, ReadFilled);
    std::memcpy(out + have, ReadBuf.get(), got);
    ReadPos = got;
    if (got < need) ReadPos = ReadFilled = 0;
  } else {
    got = Source->Read(out + have, need);
  }
  if (got < need && ExactCount) RaiseShortTransfer();
  return have + got;
}

size_t TBufferedStream::Write(const void* buffer, size_t count) {
  if (!WriteSize) return Source->Write(buffer, count);
  auto in = static_cast<const uint8_t*>(buffer);
  if (WriteFilled + count <= WriteSize) {
    std::memcpy(WriteBuf.get() + WriteFilled, in, count);
    WriteFilled += count;
    return count;
  }
  size_t top = WriteSize - WriteFilled;
  std::memcpy(WriteBuf.get() + WriteFilled, in, top);
  WriteFilled = 0;
  Source->WriteExact(WriteBuf.get(), WriteSize);
  size_t rest = count - top;
  if (rest < WriteSize) {
    std::memcpy(WriteBuf.get(), in + top, rest);
    WriteFilled = rest;
  } else {
    Source->WriteExact(in + top, rest);
  }
  return count;
}

void TBufferedStream::Flush() {
  if (WriteFilled) {
    size_t n = WriteFilled;
    WriteFilled = 0;
    Source->WriteExact(WriteBuf.get(), n);
  }
}

int64_t TBufferedStream::Available() {
  return Source->Available() + static_cast<int64_t>(ReadFilled - ReadPos);
}

}  // namespace lumarte::imaging
