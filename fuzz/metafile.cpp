// Feeds arbitrary bytes to the WMF and EMF readers (which play every record
// into drawing commands) and to the DIB decoder they use.
#include <cstdint>

#include "imaging/Errors.h"
#include "imaging/metafile/MetafileDIB.h"
#include "imaging/metafile/MetafileRecords.h"

using namespace lumarte::imaging;

namespace {

// Touches what a painter would read, so that bad sizes show up here.
size_t Walk(const TMetaPicture& pic) {
  size_t sum = 0;
  for (const TMetaCommand& c : pic.Commands) {
    if (auto* s = std::get_if<TMetaShape>(&c.Item)) sum += s->Path.Points.size();
    if (auto* t = std::get_if<TMetaText>(&c.Item)) sum += t->Chars.size() + t->Advances.size();
    if (auto* b = std::get_if<TMetaBlit>(&c.Item))
      sum += b->Image->Pixels.empty() ? 0 : b->Image->Pixels.back();
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  volatile size_t sink = 0;
  for (auto read : {&ReadMetafile, &ReadWMF, &ReadEMF}) {
    try {
      sink = sink + Walk(read(data, size));
    } catch (const lumarte::ELumarteBase&) {
    }
  }
  try {
    if (auto img = DecodePackedDIB(data, size, size % 2)) sink = sink + img->Pixels.size();
  } catch (const lumarte::ELumarteBase&) {
  }
  return 0;
}
