// Feeds arbitrary bytes to the GIF reader: the first picture as the codec
// delivers it, then every frame composed by its disposal.
#include <cstdint>

#include "imaging/GIFLoader.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TMemoryStream in(data, size);
    TGIFImage image;
    // Small limits keep each run fast; the checks are the same at any size.
    image.MaxPixels = 1 << 22;
    image.LoadFromStream(in);
    TRevedBitmap picture;
    image.FirstPicture(picture);
    for (size_t i = 0; i < image.Frames.size() && i < 16; ++i) image.Compose(i, picture);
  } catch (const lumarte::ELumarteBase&) {
  }
  return 0;
}
