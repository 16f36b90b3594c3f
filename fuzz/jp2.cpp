// The JPEG 2000 plug-in's decoder (JP2 files and raw codestreams).
#include <cstdint>

#include "Jp2Codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumarte::jp2::TJp2Image image;
  // A smaller budget than the plug-in's keeps every run fast.
  lumarte::jp2::DecodeJp2(data, size, image, uint64_t{1} << 22);
  return 0;
}
