// Feeds arbitrary bytes to the GIF reader: the first picture as the codec
// delivers it, then the first frames composed by their disposal.
#include <algorithm>
#include <cstdint>

#include "FuzzLimits.h"
#include "imaging/GIFLoader.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TMemoryStream in(data, size);
    TGIFImage image;
    image.MaxPixels = kFuzzMaxPixels;
    image.LoadFromStream(in);
    TRevedBitmap picture;
    image.FirstPicture(picture);
    // Composing a frame draws and disposes of every frame before it.
    image.Compose(std::min<size_t>(image.Frames.size(), 16) - 1, picture);
  } catch (const lumarte::ELumarteBase&) {
  }
  return 0;
}
