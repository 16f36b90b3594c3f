// Feeds arbitrary bytes to the header reader of lumarte-cli info, as every
// format it knows.
#include <cstdint>

#include "imaging/Errors.h"
#include "imaging/ImageFacts.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (const char* ext : {"bmp", "png", "pcx", "gif", "ico", "cur", "jpg"}) {
    try {
      TImageFacts facts = ReadImageFacts(ext, data, size);
      if (facts.Bits < 0 || facts.PaletteSize < 0) __builtin_trap();
    } catch (const lumarte::ELumarteBase&) {
    }
  }
  return 0;
}
