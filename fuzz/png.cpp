// Feeds arbitrary bytes to the PNG reader; what it accepts must survive a
// write and a second read unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzLimits.h"
#include "imaging/PNGLoader.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LimitFuzzPictures();
  TRevedBitmap bitmap;
  try {
    TPNGLoader loader;
    TMemoryStream in(data, size);
    loader.LoadFromStream(in, "PNG", bitmap);
  } catch (const lumarte::ELumarteBase&) {
    return 0;
  }
  TMemoryStream out;
  SavePNG(out, bitmap, {});
  TRevedBitmap again;
  TPNGLoader loader;
  out.Seek(0);
  loader.LoadFromStream(out, "PNG", again);
  if (again.Size != bitmap.Size || std::memcmp(again.Map.get(), bitmap.Map.get(), bitmap.Size))
    std::abort();
  return 0;
}
