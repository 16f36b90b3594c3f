#include "imaging/metafile/MetafileWriter.h"

#include <cmath>
#include <vector>

#include "imaging/Endian.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"
#include "imaging/metafile/MetafileRecords.h"

namespace lumarte::imaging {

namespace {

constexpr uint32_t kDibHeaderSize = 40;
// The reference device of our EMF files: 1920 x 1440 pixels on 508 x 381 mm,
// exactly 96 pixels per inch, so device pixels are picture pixels.
constexpr int32_t kDevice[2] = {1920, 1440}, kMillimetres[2] = {508, 381};

// Little-endian fields into a byte block.
class TBlock {
 public:
  std::vector<uint8_t> Bytes;
  void U16(uint32_t v) {
    Bytes.push_back(v & 0xFF);
    Bytes.push_back(v >> 8 & 0xFF);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
};

uint64_t RowBytes(const TRasterView& r) {
  return (uint64_t{uint32_t(r.Width)} * 3 + 3) / 4 * 4;
}
uint64_t BitsSize(const TRasterView& r) {
  return RowBytes(r) * uint32_t(r.Height);
}

void CheckRaster(const TRasterView& r) {
  if (r.Width <= 0 || r.Height <= 0 || !r.Pixels) throw EFormatError("Cannot save an empty image");
  if (BitsSize(r) > 0x7FFFFF00u) throw EFormatError("Image too large for a metafile");
}

// BITMAPINFOHEADER of a 24-bit bottom-up DIB.
void DibHeader(TBlock& b, const TRasterView& r) {
  b.U32(kDibHeaderSize);
  b.U32(r.Width);
  b.U32(r.Height);
  b.U16(1);   // planes
  b.U16(24);  // bits per pixel
  b.U32(0);   // BI_RGB
  b.U32(static_cast<uint32_t>(BitsSize(r)));
  b.U32(3780);  // 96 pixels per inch, as pixels per metre
  b.U32(3780);
  b.U32(0);
  b.U32(0);
}

// The rows bottom first, each padded to four bytes.
void WriteBits(TBaseStream& out, const TRasterView& r) {
  std::vector<uint8_t> row(RowBytes(r), 0);
  for (int y = r.Height - 1; y >= 0; --y) {
    const uint8_t* src = r.Pixels + static_cast<size_t>(y) * r.Stride;
    std::copy(src, src + static_cast<size_t>(r.Width) * 3, row.begin());
    out.WriteExact(row.data(), row.size());
  }
}

void WriteBlock(TBaseStream& out, const TBlock& b) {
  out.WriteExact(b.Bytes.data(), b.Bytes.size());
}

}  // namespace

void WriteWMF(TBaseStream& out, const TRasterView& r) {
  CheckRaster(r);
  if (r.Width > 32767 || r.Height > 32767)
    throw EFormatError("Image too large for a Windows metafile");
  uint32_t w = r.Width, h = r.Height;
  // Record sizes in 16-bit words.
  uint32_t dibWords = static_cast<uint32_t>((kDibHeaderSize + BitsSize(r)) / 2);
  uint32_t stretchWords = 14 + dibWords, windowWords = 5, eofWords = 3;
  uint32_t totalWords = 9 + 2 * windowWords + stretchWords + eofWords;

  TBlock b;
  b.U32(0x9AC6CDD7);  // placeable header
  b.U16(0);
  for (uint32_t v : {0u, 0u, w - 1, h - 1}) b.U16(v);
  b.U16(96);  // units per inch
  b.U32(0);
  uint16_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) sum ^= LittleEndian16(&b.Bytes[i]);
  b.U16(sum);

  b.U16(1);  // META_HEADER: in memory
  b.U16(9);
  b.U16(0x0300);
  b.U32(totalWords);
  b.U16(0);  // no objects
  b.U32(stretchWords);
  b.U16(0);

  for (uint32_t fn : {0x020Bu, 0x020Cu}) {  // SETWINDOWORG (0, 0), SETWINDOWEXT
    b.U32(windowWords);
    b.U16(fn);
    b.U16(fn == 0x020B ? 0 : std::max(h - 1, 1u));
    b.U16(fn == 0x020B ? 0 : std::max(w - 1, 1u));
  }

  b.U32(stretchWords);
  b.U16(0x0F43);  // META_STRETCHDIB
  b.U32(kSrcCopy);
  b.U16(0);                                                  // DIB_RGB_COLORS
  for (uint32_t v : {h, w, 0u, 0u, h, w, 0u, 0u}) b.U16(v);  // source, then destination
  DibHeader(b, r);
  WriteBlock(out, b);
  WriteBits(out, r);

  TBlock eof;
  eof.U32(eofWords);
  eof.U16(0);
  WriteBlock(out, eof);
}

void WriteEMF(TBaseStream& out, const TRasterView& r) {
  CheckRaster(r);
  uint32_t w = r.Width, h = r.Height;
  uint32_t bits = static_cast<uint32_t>(BitsSize(r));
  uint32_t headerSize = 108, stretchSize = 80 + kDibHeaderSize + bits, eofSize = 20;

  TBlock b;
  b.U32(1);  // EMR_HEADER
  b.U32(headerSize);
  for (uint32_t v : {0u, 0u, w - 1, h - 1}) b.U32(v);  // bounds, device pixels
  // Frame in hundredths of millimetres, inclusive like the bounds.
  for (uint32_t side : {0u, 0u, w, h})
    b.U32(side ? static_cast<uint32_t>(std::nearbyint(side * 2540.0 / 96)) - 1 : 0);
  b.U32(0x464D4520);  // " EMF"
  b.U32(0x10000);
  b.U32(headerSize + stretchSize + eofSize);
  b.U32(3);  // records
  b.U16(1);  // handles: the reserved slot 0
  b.U16(0);
  b.U32(0);  // no description
  b.U32(0);
  b.U32(0);  // no palette
  b.U32(kDevice[0]);
  b.U32(kDevice[1]);
  b.U32(kMillimetres[0]);
  b.U32(kMillimetres[1]);
  b.U32(0);  // no pixel format
  b.U32(0);
  b.U32(0);  // not OpenGL
  b.U32(kMillimetres[0] * 1000);
  b.U32(kMillimetres[1] * 1000);

  b.U32(81);  // EMR_STRETCHDIBITS
  b.U32(stretchSize);
  for (uint32_t v : {0u, 0u, w - 1, h - 1}) b.U32(v);
  for (uint32_t v : {0u, 0u, 0u, 0u, w, h}) b.U32(v);  // xDest, yDest, xSrc, ySrc, cxSrc, cySrc
  b.U32(80);                                           // offBmiSrc
  b.U32(kDibHeaderSize);
  b.U32(80 + kDibHeaderSize);  // offBitsSrc
  b.U32(bits);
  b.U32(0);  // DIB_RGB_COLORS
  b.U32(kSrcCopy);
  b.U32(w);
  b.U32(h);
  DibHeader(b, r);
  WriteBlock(out, b);
  WriteBits(out, r);

  TBlock eof;
  eof.U32(14);  // EMR_EOF
  eof.U32(eofSize);
  eof.U32(0);
  eof.U32(16);
  eof.U32(eofSize);
  WriteBlock(out, eof);
}

void SaveMetafileFile(const std::string& fileName, const TRasterView& raster, bool enhanced) {
  SaveReplacing(fileName, [&](const std::string& temp) {
    TFileStream file(temp, fmCreate | fmWrite);
    if (enhanced)
      WriteEMF(file, raster);
    else
      WriteWMF(file, raster);
    file.Flush();
  });
}

}  // namespace lumarte::imaging
