// Feeds arbitrary bytes to the Deflate reader. A PNG file's image data is fed
// as its Deflate stream, so the PNG corpus makes good seeds. The writer has
// its own target (deflate_roundtrip): it sets up a 4 MiB dictionary per
// stream, which would cost this reader most of its runs.
#include <cstdint>
#include <cstring>
#include <string>

#include "imaging/Deflate.h"
#include "imaging/Errors.h"

using namespace lumarte::imaging;

namespace {

// The raw Deflate data inside a PNG (IDAT contents without the zlib header),
// or the input itself.
std::string DeflateData(const uint8_t* data, size_t size) {
  if (size < 8 || std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) != 0)
    return std::string(reinterpret_cast<const char*>(data), size);
  std::string z;
  for (size_t p = 8; p + 12 <= size;) {
    uint32_t len =
        static_cast<uint32_t>(data[p] << 24 | data[p + 1] << 16 | data[p + 2] << 8 | data[p + 3]);
    if (len > size - p - 12) break;
    if (std::memcmp(data + p + 4, "IDAT", 4) == 0)
      z.append(reinterpret_cast<const char*>(data + p + 8), len);
    p += 12 + len;
  }
  return z.size() > 2 ? z.substr(2) : z;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string packed = DeflateData(data, size);
  try {
    TMemoryStream in(packed.data(), packed.size());
    in.CanWrite = false;
    TDeflateStream d(&in);
    d.SetExactCount(false);
    // A quarter of a megabyte of output reaches every block kind and distance;
    // more only repeats them.
    char buf[16384];
    for (size_t total = 0; total < (1u << 18);) {
      size_t n = d.Read(buf, sizeof buf);
      total += n;
      if (n < sizeof buf) break;
    }
  } catch (const lumarte::ELumarteBase&) {
  }
  return 0;
}
