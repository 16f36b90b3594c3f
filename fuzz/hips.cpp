// Feeds arbitrary bytes to the HIPS reader.
#include "CodecTarget.h"
#include "imaging/HIPSLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzCodec(data, size, "hips", false);
}
