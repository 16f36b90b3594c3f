// TPNGLoader: writing.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/Adler32.h"
#include "imaging/BufStream.h"
#include "imaging/CRC32Stream.h"
#include "imaging/Deflate.h"
#include "imaging/FileUtils.h"
#include "imaging/PNGFilters.h"
#include "imaging/PNGLoader.h"

namespace lumarte::imaging {

namespace {

using namespace png_filters;

constexpr uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr uint32_t kMaxChunkLength = 0x7FFFFFFF;

void PutBE32(std::vector<uint8_t>& v, uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<uint8_t>(x >> s));
}

void WriteChunk(TBaseStream& out, const char* type, const std::vector<uint8_t>& data) {
  out.WriteDWordBE(static_cast<uint32_t>(data.size()));
  uint32_t reg = UpdateCRC32(0xFFFFFFFFu, type, 4);
  reg = UpdateCRC32(reg, data.data(), data.size());
  out.WriteExact(type, 4);
  if (!data.empty()) out.WriteExact(data.data(), data.size());
  out.WriteDWordBE(~reg);
}

// Palette entries written: up to the last non-black one, and far enough for
// every index the pixels (or the transparency) use, so that no index points
// past the palette.
int PaletteEntries(const TRevedBitmap& bitmap, int transparentIndex) {
  const TPalette& pal = *bitmap.Palette;
  int last = 0;
  for (int i = 255; i > 0; --i) {
    if (pal[3 * i] || pal[3 * i + 1] || pal[3 * i + 2]) {
      last = i;
      break;
    }
  }
  const uint8_t* p = bitmap.Map.get();
  last = std::max<int>(last, *std::max_element(p, p + bitmap.Size));
  return std::max(last, transparentIndex) + 1;
}

struct TOutput {
  int ColorType;
  int Samples;
};

TOutput ChooseOutput(const TRevedBitmap& bitmap) {
  if (bitmap.PixelFormat == pf24bit) return {2, 3};
  return {bitmap.IsGrayScale() ? 0 : 3, 1};
}

std::vector<uint8_t> TransparencyChunk(const TOutput& out, const TPNGSaveOptions& o) {
  std::vector<uint8_t> d;
  uint32_t c = o.TransparentColor;
  if (out.ColorType == 0) {
    d = {0, static_cast<uint8_t>(c)};
  } else if (out.ColorType == 2) {
    d = {0, static_cast<uint8_t>(c),      0, static_cast<uint8_t>(c >> 8),
         0, static_cast<uint8_t>(c >> 16)};
  } else {
    d.assign(c + 1, 255);
    d[c] = 0;
  }
  return d;
}

// Chooses, per row, the filter whose output has the smallest sum of
// absolute signed bytes; ties go to Paeth, Average, Up, Sub, None in turn.
class TRowFilter {
 public:
  TRowFilter(size_t rowBytes, int bpp) : RowBytes(rowBytes), Bpp(bpp), Prev(rowBytes, 0) {
    for (auto& c : Candidates) c.resize(rowBytes + 1);
  }
  // Returns the filter byte followed by the filtered row.
  const std::vector<uint8_t>& Next(const uint8_t* row) {
    static constexpr TFilterType kOrder[5] = {ftPaeth, ftAverage, ftUp, ftSub, ftNone};
    int best = -1;
    uint64_t bestScore = 0;
    for (int k = 0; k < 5; ++k) {
      std::vector<uint8_t>& c = Candidates[k];
      c[0] = kOrder[k];
      Filter(kOrder[k], row, Prev.data(), c.data() + 1, RowBytes, Bpp);
      uint64_t score = FilterScore(c.data() + 1, RowBytes);
      if (best < 0 || score < bestScore) {
        best = k;
        bestScore = score;
      }
    }
    std::memcpy(Prev.data(), row, RowBytes);
    return Candidates[best];
  }

 private:
  size_t RowBytes;
  int Bpp;
  std::vector<uint8_t> Prev;
  std::vector<uint8_t> Candidates[5];
};

// The IDAT data: zlib header, fixed-code Deflate of the filtered rows, Adler-32.
void WriteImageData(TBaseStream& out, const TRevedBitmap& bitmap, const TOutput& o) {
  const uint8_t zlibHeader[2] = {0x78, 0xDA};
  out.WriteExact(zlibHeader, 2);
  const size_t rowBytes = static_cast<size_t>(bitmap.Width) * o.Samples;
  TRowFilter filter(rowBytes, o.Samples);
  std::vector<uint8_t> rgb(rowBytes);
  uint32_t adler = kAdler32Start;
  TDeflateStream deflate(&out);
  deflate.SetCompressionMethod(cmFixed);
  for (int32_t y = 0; y < bitmap.Height; ++y) {
    const uint8_t* row = bitmap.ScanLine(y);
    if (o.Samples == 3) {
      for (size_t i = 0; i < rowBytes; i += 3) {
        rgb[i] = row[i + 2];
        rgb[i + 1] = row[i + 1];
        rgb[i + 2] = row[i];
      }
      row = rgb.data();
    }
    const std::vector<uint8_t>& filtered = filter.Next(row);
    deflate.Write(filtered.data(), filtered.size());
    adler = UpdateAdler32(adler, filtered.data(), filtered.size());
  }
  deflate.Finish();
  out.WriteDWordBE(adler);
}

void WriteSeekable(TSeekableStream& out, const TRevedBitmap& bitmap, const TPNGSaveOptions& opt) {
  out.WriteExact(kSignature, 8);
  const TOutput o = ChooseOutput(bitmap);
  const bool paletteTransparency = opt.Transparent && o.ColorType == 3;
  if (paletteTransparency && opt.TransparentColor > 255)
    throw ERevedBitmap("Invalid transparent color index");

  std::vector<uint8_t> ihdr;
  PutBE32(ihdr, static_cast<uint32_t>(bitmap.Width));
  PutBE32(ihdr, static_cast<uint32_t>(bitmap.Height));
  ihdr.insert(ihdr.end(), {8, static_cast<uint8_t>(o.ColorType), 0, 0, 0});
  WriteChunk(out, "IHDR", ihdr);

  if (o.ColorType == 3) {
    int n =
        PaletteEntries(bitmap, paletteTransparency ? static_cast<int>(opt.TransparentColor) : 0);
    std::vector<uint8_t> plte;
    for (int i = 0; i < n; ++i) {
      const uint8_t* e = bitmap.Palette->data() + 3 * i;
      plte.insert(plte.end(), {e[2], e[1], e[0]});
    }
    WriteChunk(out, "PLTE", plte);
  }
  if (opt.Gamma != 0 && opt.Gamma != 1) {
    std::vector<uint8_t> g;
    PutBE32(g, static_cast<uint32_t>(std::nearbyint(opt.Gamma * 100000)));
    WriteChunk(out, "gAMA", g);
  }
  if (opt.Transparent) WriteChunk(out, "tRNS", TransparencyChunk(o, opt));

  // IDAT: the length is known only afterwards.
  const int64_t start = out.Position();
  out.WriteDWordBE(0);
  uint32_t crc;
  {
    TCRC32Stream crcStream(&out);
    TBufferedStream buf(0, &crcStream, -1);
    buf.WriteExact("IDAT", 4);
    WriteImageData(buf, bitmap, o);
    buf.Flush();
    crc = crcStream.CRC();
  }
  const int64_t end = out.Position();
  if (end - start - 8 > kMaxChunkLength) throw ERevedBitmap("Invalid bitmap size");
  out.Seek(start);
  out.WriteDWordBE(static_cast<uint32_t>(end - start - 8));
  out.Seek(end);
  out.WriteDWordBE(crc);

  WriteChunk(out, "IEND", {});
}

}  // namespace

void SavePNG(TBaseStream& stream, const TRevedBitmap& bitmap, const TPNGSaveOptions& options) {
  if (!bitmap.Present) throw EFormatError("Pixel format not supported yet");
  if (auto* seekable = dynamic_cast<TSeekableStream*>(&stream)) {
    WriteSeekable(*seekable, bitmap, options);
    return;
  }
  TMemoryStream memory;
  WriteSeekable(memory, bitmap, options);
  stream.WriteExact(memory.Data.data(), memory.Data.size());
}

void SavePNGFile(const std::string& fileName, const TRevedBitmap& bitmap,
                 const TPNGSaveOptions& options) {
  SaveReplacing(fileName, [&](const std::string& temp) {
    TFileStream stream(temp, fmRead | fmWrite | fmCreate);
    SavePNG(stream, bitmap, options);
    stream.Flush();
  });
}

void TPNGLoader::SaveToStream(TBaseStream& stream, const std::string&, TRevedBitmap& bitmap) {
  TPNGSaveOptions options;
  options.Transparent = Transparent;
  options.TransparentColor = TransparentColor;
  options.Gamma = Gamma;
  SavePNG(stream, bitmap, options);
}

}  // namespace lumarte::imaging
