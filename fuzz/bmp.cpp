// Feeds arbitrary bytes to the BMP reader; whatever decodes must survive a
// write and a second read unchanged.
#include "CodecTarget.h"
#include "imaging/BMPLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzCodec(data, size, "bmp", true);
}
