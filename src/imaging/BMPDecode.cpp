// Bitmap files: the file header before the bitmap, and the strict rules of a
// picture the user opens (damage is an error).
#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/BMPLoader.h"
#include "imaging/ByteReader.h"
#include "imaging/DIBDecode.h"
#include "imaging/Endian.h"

namespace lumarte::imaging {

namespace {

class TStreamPixels : public TDIBSource {
 public:
  explicit TStreamPixels(TByteReader& in) : In(in) {}
  bool Read(uint8_t* buffer, size_t count) override {
    In.Read(buffer, count);
    return true;
  }
  void Skip(int64_t count) override { In.Skip(count); }
  bool KnownShort(int64_t count) override { return In.KnownShort(count); }

 private:
  TByteReader& In;
};

[[noreturn]] void Raise(const EDIBError& e) {
  switch (e.Kind) {
    case TDIBFault::Short:
      RaiseShortTransfer();
    case TDIBFault::Size:
      throw ERevedBitmap("Invalid bitmap size");
    case TDIBFault::Damaged:
      throw ERevedBitmap("Error in bitmap data");
    case TDIBFault::Unsupported:
      break;
  }
  throw ERevedBitmap("Unsupported bitmap format");
}

// Only 1-, 4- and 8-bit rasters stay paletted; 2 bits is a depth of its own
// and loads as true colour like every other.
void ExpandPalette(TRevedBitmap& b) {
  TRevedBitmap indexed(b);
  b.New(indexed.Width, indexed.Height, pf24bit);
  for (int32_t i = 0; i < indexed.Size; ++i)
    std::memcpy(&b.Map[3 * size_t(i)], &(*indexed.Palette)[3 * indexed.Map[i]], 3);
}

void Decode(TByteReader& in, TRevedBitmap& bitmap) {
  uint8_t file[14];
  in.Read(file, sizeof file);
  if (file[0] != 'B' || file[1] != 'M') throw ERevedBitmap("Unsupported file format");
  const uint32_t offBits = LittleEndian32(file + 10);
  // Header and the masks behind a plain info header; fields a short OS/2 2.x
  // header leaves out read as zero.
  uint8_t header[124 + 16] = {};
  in.Read(header, 4);
  const uint32_t headerSize = LittleEndian32(header);
  if (!KnownDIBHeaderSize(headerSize)) throw EDIBError(TDIBFault::Unsupported, "");
  in.Read(header + 4, headerSize - 4);
  const size_t masks = 4 * DIBTrailingMasks(headerSize, LittleEndian32(header + 16));
  if (masks) in.Read(header + headerSize, masks);
  const TDIBRules rules;
  const TDIBHeader h = ParseDIBHeader(header, headerSize + masks, rules);
  CheckDIBCoding(h);
  // The pixel offset may cut a table short of the size the header declares,
  // or leave a gap after it; without one the pixels follow the table.
  int64_t consumed = 14 + static_cast<int64_t>(h.TableOffset), entries = h.TableEntries;
  if (offBits && offBits < consumed) throw EDIBError(TDIBFault::Damaged, "");
  if (offBits) entries = std::min<int64_t>(entries, (offBits - consumed) / h.EntrySize);
  std::vector<uint8_t> table(static_cast<size_t>(entries) * h.EntrySize);
  if (!table.empty()) in.Read(table.data(), table.size());
  if (offBits) in.Skip(offBits - consumed - static_cast<int64_t>(table.size()));
  TStreamPixels pixels(in);
  std::vector<uint8_t> noAlpha;
  DecodeDIBPixels(h, table.data(), table.size(), pixels, rules, bitmap, noAlpha);
  if (h.Bits == 2) ExpandPalette(bitmap);
}

}  // namespace

void ReadBMP(TBaseStream& stream, TRevedBitmap& bitmap) {
  TByteReader in(stream);
  try {
    Decode(in, bitmap);
  } catch (const EDIBError& e) {
    Raise(e);
  }
}

void TBMPLoader::LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) {
  if (!CanLoad(ext)) throw ERevedBitmap("Unsupported file format");
  try {
    ReadBMP(stream, bitmap);
  } catch (...) {
    bitmap.Dispose();
    throw;
  }
}

}  // namespace lumarte::imaging
