#pragma once
// The one reader of device-independent bitmaps, for BMP files and the bitmaps
// of metafile records: core, info, V2-V5 and OS/2 2.x headers; 1, 2, 4, 8,
// 16, 24 and 32 bits; uncompressed, RLE8, RLE4 and bit-field masks. Rows come
// out top first in a pf8bit (with the colour table as palette) or pf24bit
// buffer, with an optional plane of alpha values beside it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/CodecLimits.h"
#include "imaging/DIBFields.h"
#include "imaging/Errors.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

// What went wrong, for the caller to word in its own messages.
enum class TDIBFault { Unsupported, Damaged, Size, Short };

class EDIBError : public ELumarteBase {
 public:
  EDIBError(TDIBFault kind, const char* why) : ELumarteBase(why), Kind(kind) {}
  TDIBFault Kind;
};

// Where the two callers part: a file that loads is the user's picture, a
// record is drawn as the system draws it.
struct TDIBRules {
  // A run past its row's padding, a delta out of the image, an index past the
  // colour table, a colour count above the depth or run-length data that ends
  // early fail the bitmap. Otherwise runs are clipped, such indices show black
  // and the picture ends where the data does.
  bool DamageFails = true;
  // The colour table holds 16-bit indices into a logical palette this reader
  // does not keep (DIB_PAL_COLORS); they are shown as grey levels.
  bool TableOfIndices = false;
  // Pixels a run-length bitmap skips (deltas, early ends of line and of the
  // bitmap) are transparent in the alpha plane, rather than colour 0.
  bool SkipsTransparent = false;
  // The alpha plane takes each 32-bit pixel's alpha (the fourth byte, or the
  // alpha mask), as AlphaBlend draws it; otherwise such pixels are opaque.
  bool KeepAlpha = false;
  int64_t MaxPixels = kMaxImagePixels;
};

struct TDIBHeader : TDIBFields {
  uint32_t HeaderSize = 0;
  bool Os2v2 = false;       // OS/2 2.x gives compression codes 3 and 4 other meanings
  size_t TableOffset = 0;   // from the header's start: header and masks
  size_t TableEntries = 0;  // as declared
  size_t EntrySize = 4;

  bool RunLength() const { return Compression == biRLE8 || Compression == biRLE4; }
  int64_t Stride() const { return (Width * Bits + 31) / 32 * 4; }
};

// True for the header sizes of the versions this reader knows.
bool KnownDIBHeaderSize(uint32_t size);
// How many 32-bit masks follow a plain info header of this compression.
int DIBTrailingMasks(uint32_t headerSize, uint32_t compression);

// The header at p (n bytes, the trailing masks included); checks the size
// against the rules and the limits of the codec library.
TDIBHeader ParseDIBHeader(const uint8_t* p, size_t n, const TDIBRules& rules);
// Refuses depths and compressions that this reader cannot decode, embedded
// JPEG and PNG among them.
void CheckDIBCoding(const TDIBHeader& h);

// The pixel data, from a block or a stream.
class TDIBSource {
 public:
  virtual ~TDIBSource() = default;
  // Reads count bytes; false, with nothing read, when fewer are left (a
  // stream raises "Read less than expected" instead).
  virtual bool Read(uint8_t* buffer, size_t count) = 0;
  virtual void Skip(int64_t count) = 0;  // a block stops at its end
  // True when fewer than count bytes are known to be left.
  virtual bool KnownShort(int64_t count) = 0;
};

class TDIBBlock : public TDIBSource {
 public:
  TDIBBlock(const uint8_t* data, size_t size) : Data(data), Size(size) {}
  bool Read(uint8_t* buffer, size_t count) override;
  void Skip(int64_t count) override;
  bool KnownShort(int64_t count) override { return count > static_cast<int64_t>(Size - Pos); }

 private:
  const uint8_t* Data;
  size_t Size, Pos = 0;
};

// Decodes the pixels of a bitmap whose coding CheckDIBCoding accepts, with
// the colour table of table bytes at tableData. The alpha plane (one byte a
// pixel, rows top first) is filled when the rules ask for one, else emptied.
void DecodeDIBPixels(const TDIBHeader& h, const uint8_t* tableData, size_t tableBytes,
                     TDIBSource& source, const TDIBRules& rules, TRevedBitmap& out,
                     std::vector<uint8_t>& alpha);

}  // namespace lumarte::imaging
