// The Deflate writer: arbitrary bytes, written in pieces of an input-chosen
// size with one of the three methods, must read back unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "imaging/Deflate.h"

using namespace lumarte::imaging;

namespace {

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
  const std::string plain(reinterpret_cast<const char*>(data), std::min<size_t>(size, 100000));
  static const TCompressionMethod kMethods[3] = {cmFixed, cmStored, cmDynamic};
  TMemoryStream out;
  {
    TDeflateStream d(&out);
    d.SetCompressionMethod(kMethods[size % 3]);
    const size_t piece = 1 + size % 5000;
    for (size_t p = 0; p < plain.size(); p += piece)
      d.Write(plain.data() + p, std::min(piece, plain.size() - p));
    d.Finish();
  }
  if (Inflate(out.Data, plain.size() + 1) != plain) std::abort();
  return 0;
}
