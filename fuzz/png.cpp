// Feeds arbitrary bytes to the PNG reader; what it accepts must survive a
// write and a second read unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "imaging/PNGLoader.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Huge declared sizes are refused or allocated before any data is read;
  // the fuzzer learns nothing from waiting for them.
  if (size >= 24) {
    uint64_t w = static_cast<uint64_t>(data[16]) << 24 | data[17] << 16 | data[18] << 8 | data[19];
    uint64_t h = static_cast<uint64_t>(data[20]) << 24 | data[21] << 16 | data[22] << 8 | data[23];
    if (w * h > (1u << 22)) return 0;
  }
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
