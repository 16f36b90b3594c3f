// Feeds arbitrary bytes to the PCX reader; whatever decodes must survive a
// write and a second read unchanged.
#include <cstdint>
#include <cstring>

#include "FuzzLimits.h"
#include "imaging/PCXLoader.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LimitFuzzPictures();
  TRevedBitmap image;
  try {
    TMemoryStream in(data, size);
    image.LoadFromStream(in, "pcx");
  } catch (const lumarte::ELumarteBase&) {
    if (image.Present) __builtin_trap();  // a failed load must leave nothing
    return 0;
  }
  TMemoryStream out;
  image.SaveToStream(out, "pcx");
  out.Seek(0);
  TRevedBitmap again;
  again.LoadFromStream(out, "pcx");
  if (again.Size != image.Size || std::memcmp(again.Map.get(), image.Map.get(), image.Size))
    __builtin_trap();
  return 0;
}
