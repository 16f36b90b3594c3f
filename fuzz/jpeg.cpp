// Feeds arbitrary bytes to the JPEG decoder behind the codec and the JPEG
// object, then encodes what decoded.
#include <cstdint>

#include "FuzzLimits.h"
#include "imaging/JPEGCodec.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TRevedBitmap picture;
    DecodeJPEG(data, size, picture, kFuzzMaxPixels);
    std::string out;
    EncodeJPEG(picture, {static_cast<int>(size % 101), (size & 1) != 0, (size & 2) != 0}, out);
  } catch (const lumarte::ELumarteBase&) {
  }
  return 0;
}
