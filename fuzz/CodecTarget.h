#pragma once
// The body of the targets that feed arbitrary bytes to one codec of the
// registry: a failed load must leave nothing, and where the codec writes too,
// what it decoded must survive a write and a second read unchanged.
#include <cstdint>
#include <cstring>

#include "FuzzLimits.h"
#include "imaging/Errors.h"
#include "imaging/RevedBitmap.h"

inline int FuzzCodec(const uint8_t* data, size_t size, const char* ext, bool writeBack) {
  using namespace lumarte::imaging;
  LimitFuzzPictures();
  TRevedBitmap image;
  try {
    TMemoryStream in(data, size);
    image.LoadFromStream(in, ext);
  } catch (const lumarte::ELumarteBase&) {
    if (image.Present) __builtin_trap();
    return 0;
  }
  if (!writeBack) return 0;
  TMemoryStream out;
  image.SaveToStream(out, ext);
  out.Seek(0);
  TRevedBitmap again;
  again.LoadFromStream(out, ext);
  if (again.Size != image.Size || std::memcmp(again.Map.get(), image.Map.get(), image.Size))
    __builtin_trap();
  return 0;
}
