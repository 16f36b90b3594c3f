#include "imaging/metafile/MetafileRecords.h"

#include <cmath>

#include "imaging/CodecLimits.h"
#include "imaging/Errors.h"
#include "imaging/metafile/MetafileBytes.h"
#include "imaging/metafile/MetafileSize.h"
#include "imaging/Streams.h"

namespace lumarte::imaging {

namespace {

// Larger files are not metafiles anyone draws; refusing them keeps a stray
// multi-gigabyte file from being read into memory.
constexpr int64_t kMaxMetafileBytes = int64_t{1} << 30;

}  // namespace

int64_t PictureSide(int64_t first, int64_t last, double unitsPerInch) {
  double units = static_cast<double>(last - first + 1);
  double side = std::nearbyint(units * 96 / unitsPerInch);  // halves to even
  if (!(side < 1e12)) return INT64_MAX;
  return std::max<int64_t>(1, static_cast<int64_t>(side));
}

void CheckPictureSize(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0) throw EFormatError("Metafile has no size");
  if (width > kMaxImageSide || height > kMaxImageSide || width * height > MaxImagePixels())
    throw EFormatError("Metafile too large");
}

TMetaPicture ReadMetafile(const uint8_t* data, size_t size) {
  if (size >= 44 && LittleEndian32(data) == 1 && LittleEndian32(data + 40) == 0x464D4520)
    return ReadEMF(data, size);
  return ReadWMF(data, size);
}

TMetaPicture ReadMetafileFile(const std::string& fileName) {
  TFileStream file(fileName, fmRead | fmShareRead);
  int64_t size = file.Size();
  if (size > kMaxMetafileBytes) throw EFormatError("Metafile too large");
  std::string bytes(static_cast<size_t>(size), '\0');
  file.ReadExact(bytes.data(), bytes.size());
  return ReadMetafile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace lumarte::imaging
