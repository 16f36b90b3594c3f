#pragma once
#include <memory>

#include "imaging/Streams.h"

namespace lumarte::imaging {

class TBufferedStream : public TFilterStream {
 public:
  static constexpr int kDefaultBufferSize = 65536;
  // A size of -1 means the default, 0 no buffer; 1 is refused.
  TBufferedStream(int readBufferSize, TBaseStream* source, int writeBufferSize);
  ~TBufferedStream() override;

  bool RestoreExactCount = false;

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  void Flush() override;
  int64_t Available() override;

 protected:
  bool HasReadBuffer() const { return ReadSize > 0; }

 private:
  std::unique_ptr<uint8_t[]> ReadBuf;
  size_t ReadPos = 0, ReadFilled = 0, ReadSize = 0;
  std::unique_ptr<uint8_t[]> WriteBuf;
  size_t WriteFilled = 0, WriteSize = 0;
};

}  // namespace lumarte::imaging
