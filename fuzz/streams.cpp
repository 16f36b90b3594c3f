// Feeds arbitrary bytes to the text-stream line reader and the bit reader.
#include <cstdint>

#include "imaging/BitStream.h"
#include "imaging/TextStrm.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TMemoryStream src(data, size);
    TTextStream text(size % 7 == 0 ? -1 : 2 + size % 13, &src, 0);
    for (int i = 0; i < 1000; ++i) text.ReadLine();
  } catch (const lumarte::ELumarteBase&) {
  }
  try {
    TMemoryStream src(data, size);
    TBitStream bits(&src);
    uint8_t buf[8];
    for (size_t i = 0; i < size; ++i) {
      int n = bits.ReadBits(buf, 1 + static_cast<int>(i % 40) % 33);
      if (n == 0) break;
      if (i % 5 == 0) bits.Flush();
      bits.ReadBit();
    }
  } catch (const lumarte::ELumarteBase&) {
  }
  return 0;
}
