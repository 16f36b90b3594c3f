// Feeds arbitrary bytes to the HIPS reader.
#include <cstdint>

#include "FuzzLimits.h"
#include "imaging/HIPSLoader.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LimitFuzzPictures();
  TRevedBitmap image;
  try {
    TMemoryStream in(data, size);
    image.LoadFromStream(in, "hips");
  } catch (const lumarte::ELumarteBase&) {
    if (image.Present) __builtin_trap();  // a failed load must leave nothing
  }
  return 0;
}
