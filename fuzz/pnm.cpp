// Feeds arbitrary bytes to the PPM/PGM reader; whatever decodes must survive
// a write and a second read unchanged.
#include <cstdint>
#include <cstring>

#include "FuzzLimits.h"
#include "imaging/PNMCodec.h"
#include "imaging/Streams.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LimitFuzzPictures();
  TRevedBitmap image;
  try {
    TMemoryStream in(data, size);
    ReadPnm(in, image);
  } catch (const lumarte::ELumarteBase&) {
    return 0;
  }
  TMemoryStream out;
  if (image.PixelFormat == pf8bit)
    WritePgm(out, image);
  else
    WritePpm(out, image);
  out.Seek(0);
  TRevedBitmap again;
  ReadPnm(out, again);
  if (again.Size != image.Size || std::memcmp(again.Map.get(), image.Map.get(), image.Size))
    __builtin_trap();
  return 0;
}
