#pragma once
#include "imaging/Streams.h"

namespace lumarte::imaging {

// Standard reflected CRC-32 (polynomial 0xEDB88320), as used by PNG and zip.
uint32_t UpdateCRC32(uint32_t reg, const void* data, size_t count);
inline uint32_t CRC32(const void* data, size_t count) {
  return ~UpdateCRC32(0xFFFFFFFFu, data, count);
}

class TCRC32Stream : public TFilterStream {
 public:
  explicit TCRC32Stream(TBaseStream* source) : TFilterStream(source) {}
  void ResetCRC() { Reg = 0xFFFFFFFFu; }
  uint32_t CRC() const { return ~Reg; }

  size_t Write(const void* buffer, size_t count) override;
  size_t Read(void* buffer, size_t count) override;
  void Flush() override {}

 private:
  uint32_t Reg = 0xFFFFFFFFu;
};

}  // namespace lumarte::imaging
