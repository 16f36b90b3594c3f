// Feeds arbitrary bytes to the Deflate reader, and checks that what the
// writer makes of them in each method reads back unchanged. A PNG file's
// image data is fed as its Deflate stream, so the PNG corpus makes good seeds.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "imaging/Deflate.h"

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

std::string Inflate(const std::string& packed, size_t limit) {
  TMemoryStream in(packed.data(), packed.size());
  in.CanWrite = false;
  TDeflateStream d(&in);
  d.SetExactCount(false);
  std::string out;
  char buf[65536];
  while (out.size() < limit) {
    size_t n = d.Read(buf, sizeof buf);
    out.append(buf, n);
    if (n < sizeof buf) break;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    Inflate(DeflateData(data, size), 1 << 20);
  } catch (const lumarte::ELumarteBase&) {
  }
  // One method per input keeps runs short (each writer sets up a 4 MiB dictionary).
  std::string plain(reinterpret_cast<const char*>(data), std::min<size_t>(size, 100000));
  static const TCompressionMethod kMethods[3] = {cmFixed, cmStored, cmDynamic};
  for (auto method : {kMethods[size % 3]}) {
    TMemoryStream out;
    {
      TDeflateStream d(&out);
      d.SetCompressionMethod(method);
      size_t piece = 1 + size % 5000;
      for (size_t p = 0; p < plain.size(); p += piece)
        d.Write(plain.data() + p, std::min(piece, plain.size() - p));
      d.Finish();
    }
    if (Inflate(out.Data, plain.size() + 1) != plain) std::abort();
  }
  return 0;
}
