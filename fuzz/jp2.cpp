// The JPEG 2000 plug-in's decoder (JP2 files and raw codestreams).
#include <cstdint>

#include "FuzzLimits.h"
#include "Jp2Codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumarte::jp2::TJp2Image image;
  // The plug-in's budget counts samples of all components; four per pixel at most.
  lumarte::jp2::DecodeJp2(data, size, image, uint64_t{kFuzzMaxPixels} * 4);
  return 0;
}
