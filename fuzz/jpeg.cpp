// Feeds arbitrary bytes to the JPEG decoder behind the codec and the JPEG
// object, then encodes what decoded.
#include <cstdint>

#include "imaging/JPEGCodec.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TRevedBitmap picture;
    // A small limit keeps each run fast; the checks are the same at any size.
    DecodeJPEG(data, size, picture, 1 << 20);
    std::string out;
    EncodeJPEG(picture, {static_cast<int>(size % 101), (size & 1) != 0, (size & 2) != 0}, out);
  } catch (const lumarte::ELumarteBase&) {
  }
  return 0;
}
