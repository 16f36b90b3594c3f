// TPNGLoader: reading.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/Adler32.h"
#include "imaging/BufStream.h"
#include "imaging/CRC32Stream.h"
#include "imaging/CodecLimits.h"
#include "imaging/Deflate.h"
#include "imaging/Endian.h"
#include "imaging/PNGFilters.h"
#include "imaging/PNGLoader.h"

namespace lumarte::imaging {

namespace {

using namespace png_filters;

constexpr uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
// Far beyond any real picture, and small enough that a tiny file cannot make
// us allocate gigabytes.
constexpr uint32_t kMaxDimension = 1u << 20;

[[noreturn]] void RaiseInvalidData(int line) {
  throw EFormatError("Invalid PNG data at line " + std::to_string(line));
}
[[noreturn]] void RaiseCRC() {
  throw EFormatError("CRC error");
}

// The chunk sequence. Lengths and CRCs come from the buffered stream; chunk
// types and data go through the CRC stream.
class TChunkReader {
 public:
  explicit TChunkReader(TBufferedStream& buf) : Buf(buf), Crc(&buf) {}

  uint32_t Length = 0;
  uint32_t Left = 0;  // data bytes of the current chunk not yet read
  char Type[4] = {};

  // Reads the next chunk's length and type; false when no further chunk
  // type can be read.
  bool Next() {
    uint8_t len[4];
    if (Buf.Read(len, 4) != 4) return false;
    Length = Left = BigEndian32(len);
    Crc.ResetCRC();
    return Crc.Read(Type, 4) == 4;
  }
  bool Is(const char* type) const { return std::memcmp(Type, type, 4) == 0; }
  bool Critical() const { return !(Type[0] & 0x20); }

  void Read(void* data, uint32_t count) {
    LUMARTE_ASSERT(count <= Left);
    Crc.ReadExact(data, count);
    Left -= count;
  }
  // Reads the rest of the data and the CRC; true when they agree.
  bool CRCMatches() {
    CopyStream(Crc, nullptr, Left);
    Left = 0;
    return Buf.ReadDWordBE() == Crc.CRC();
  }
  void CheckCRC() {
    if (!CRCMatches()) RaiseCRC();
  }
  void SkipUnchecked() {
    CopyStream(Buf, nullptr, int64_t{Left} + 4);
    Left = 0;
  }

 private:
  TBufferedStream& Buf;
  TCRC32Stream Crc;
};

// The data bytes of consecutive IDAT chunks as one stream. It remembers the
// last four bytes handed out: the zlib stream's Adler-32 ends the data.
class TIDATStream : public TBaseStream {
 public:
  TIDATStream(TChunkReader& chunks, const int& line) : Chunks(chunks), Line(line) {
    CanRead = true;
  }
  // Set when the chunk after the image data has been read ahead.
  bool ChunkWaiting = false;

  size_t Read(void* buffer, size_t count) override {
    auto out = static_cast<uint8_t*>(buffer);
    for (size_t done = 0; done < count;) {
      if (!Chunks.Left) NextChunk();
      auto n = static_cast<uint32_t>(std::min<size_t>(count - done, Chunks.Left));
      Chunks.Read(out + done, n);
      Remember(out + done, n);
      done += n;
    }
    return count;
  }
  size_t Write(const void*, size_t) override { throw EInOutError("Stream not open for write"); }
  int64_t Available() override { return Chunks.Left; }

  // Reads the rest of the image data (every following IDAT chunk) and
  // returns its last four bytes as a big-endian number.
  uint32_t ReadTrailer() {
    uint8_t buf[4096];
    for (;;) {
      while (Chunks.Left) {
        uint32_t n = std::min<uint32_t>(Chunks.Left, sizeof buf);
        Chunks.Read(buf, n);
        Remember(buf, n);
      }
      Chunks.CheckCRC();
      if (!Chunks.Next()) break;
      if (!Chunks.Is("IDAT")) {
        ChunkWaiting = true;
        break;
      }
    }
    if (Total < 4) throw EFormatError("Adler32 error");
    return BigEndian32(Tail);
  }

 private:
  TChunkReader& Chunks;
  const int& Line;
  uint8_t Tail[4] = {};
  uint64_t Total = 0;

  void NextChunk() {
    Chunks.CheckCRC();
    if (!Chunks.Next()) RaiseShortTransfer();
    if (!Chunks.Is("IDAT")) RaiseInvalidData(Line);
  }
  void Remember(const uint8_t* p, uint32_t n) {
    Total += n;
    if (n >= 4) {
      std::memcpy(Tail, p + n - 4, 4);
    } else {
      std::memmove(Tail, Tail + n, 4 - n);
      std::memcpy(Tail + 4 - n, p, n);
    }
  }
};

struct THeader {
  uint32_t Width = 0, Height = 0;
  int BitDepth = 0, ColorType = 0, Interlace = 0;
  int Samples = 1;  // per pixel

  bool Paletted() const { return ColorType == 3; }
  bool Rgb() const { return ColorType == 2 || ColorType == 6; }
  int PixelBytes() const { return (Samples * BitDepth + 7) / 8; }
  size_t RowBytes(uint32_t pixels) const {
    return (static_cast<size_t>(pixels) * Samples * BitDepth + 7) / 8;
  }
};

THeader ParseHeader(const uint8_t* h) {
  THeader hd;
  hd.Width = BigEndian32(h);
  hd.Height = BigEndian32(h + 4);
  hd.BitDepth = h[8];
  hd.ColorType = h[9];
  hd.Interlace = h[12];
  static const int kSamples[7] = {1, 0, 3, 1, 2, 0, 4};
  bool depthOk;
  switch (hd.ColorType) {
    case 0:
      depthOk = hd.BitDepth == 1 || hd.BitDepth == 2 || hd.BitDepth == 4 || hd.BitDepth == 8 ||
                hd.BitDepth == 16;
      break;
    case 3:
      depthOk = hd.BitDepth == 1 || hd.BitDepth == 2 || hd.BitDepth == 4 || hd.BitDepth == 8;
      break;
    case 2:
    case 4:
    case 6:
      depthOk = hd.BitDepth == 8 || hd.BitDepth == 16;
      break;
    default:
      RaiseInvalidData(0);
  }
  if (!depthOk) RaiseInvalidData(0);
  // Only compression method 0 and filter method 0 exist.
  if (h[10] != 0 || h[11] != 0) RaiseInvalidData(0);
  hd.Samples = kSamples[hd.ColorType];
  if (!hd.Width || !hd.Height || hd.Width > kMaxDimension || hd.Height > kMaxDimension ||
      int64_t{hd.Width} * hd.Height > MaxImagePixels())
    throw ERevedBitmap("Invalid bitmap size");
  return hd;
}

// Unpacks one row of samples into pixel-buffer pixels (indices or grey
// levels, or blue-green-red), high byte of 16-bit samples.
void UnpackRow(const THeader& h, const uint8_t* in, uint8_t* out, uint32_t pixels) {
  const int depth = h.BitDepth;
  if (depth < 8) {
    const int perByte = 8 / depth;
    const uint8_t mask = static_cast<uint8_t>((1 << depth) - 1);
    for (uint32_t x = 0; x < pixels; ++x) {
      int shift = 8 - depth * (1 + static_cast<int>(x % perByte));
      out[x] = (in[x / perByte] >> shift) & mask;
    }
    return;
  }
  const size_t step = static_cast<size_t>(h.Samples) * (depth / 8);
  const size_t sample = depth / 8;
  if (!h.Rgb()) {
    for (uint32_t x = 0; x < pixels; ++x) out[x] = in[x * step];
    return;
  }
  if (step == 3) {
    // Four pixels at a time as three 32-bit words: R0G0B0R1 G1B1R2G2 B2R3G3B3
    // become B0G0R0B1 G1R1B2G2 R2B3G3R3.
    uint32_t x = 0;
    for (; x + 4 <= pixels; x += 4, in += 12, out += 12) {
      uint32_t w[3];
      std::memcpy(w, in, 12);
      uint32_t o[3] = {
          (w[0] >> 16 & 0xFF) | (w[0] & 0xFF00) | (w[0] & 0xFF) << 16 | (w[1] >> 8 & 0xFF) << 24,
          (w[1] & 0xFF) | (w[0] >> 24) << 8 | (w[2] & 0xFF) << 16 | (w[1] & 0xFF000000),
          (w[1] >> 16 & 0xFF) | (w[2] >> 24) << 8 | (w[2] & 0xFF0000) | (w[2] >> 8 & 0xFF) << 24};
      std::memcpy(out, o, 12);
    }
    for (; x < pixels; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
    return;
  }
  for (uint32_t x = 0; x < pixels; ++x, in += step, out += 3) {
    out[0] = in[2 * sample];
    out[1] = in[sample];
    out[2] = in[0];
  }
}

struct TPass {
  uint32_t X0, DX, Y0, DY;
};
constexpr TPass kAdam7[7] = {{0, 8, 0, 8}, {4, 8, 0, 8}, {0, 4, 4, 8}, {2, 4, 0, 4},
                             {0, 2, 2, 4}, {1, 2, 0, 2}, {0, 1, 1, 2}};
constexpr TPass kWholeImage = {0, 1, 0, 1};

// Decodes the zlib stream of the IDAT chunks into the bitmap.
void DecodeImage(TChunkReader& chunks, const THeader& h, TRevedBitmap& bitmap, bool& chunkWaiting) {
  int line = 0;
  TIDATStream idat(chunks, line);
  uint8_t zhead[2];
  idat.ReadExact(zhead, 2);
  if ((zhead[0] & 15) != 8 || (zhead[0] >> 4) > 7) RaiseInvalidData(0);
  if (h.Interlace > 1) throw EFormatError("Unsupported interlacing method");

  uint32_t adler = kAdler32Start;
  const int outBytes = bitmap.PixelFormat == pf24bit ? 3 : 1;
  std::vector<uint8_t> rows[2], pixels;
  {
    TDeflateStream inflater(&idat);
    const TPass* passes = h.Interlace ? kAdam7 : &kWholeImage;
    for (int p = 0; p < (h.Interlace ? 7 : 1); ++p) {
      const TPass& pass = passes[p];
      if (pass.X0 >= h.Width || pass.Y0 >= h.Height) continue;
      uint32_t width = (h.Width - pass.X0 + pass.DX - 1) / pass.DX;
      uint32_t height = (h.Height - pass.Y0 + pass.DY - 1) / pass.DY;
      size_t rowBytes = h.RowBytes(width);
      // The first row of every pass is filtered against zeros.
      rows[0].assign(rowBytes + 1, 0);
      rows[1].assign(rowBytes + 1, 0);
      pixels.resize(static_cast<size_t>(width) * outBytes);
      for (uint32_t r = 0; r < height; ++r) {
        line = static_cast<int>(r);
        uint8_t* cur = rows[r & 1].data();
        const uint8_t* prev = rows[~r & 1].data() + 1;
        inflater.Read(cur, rowBytes + 1);
        adler = UpdateAdler32(adler, cur, rowBytes + 1);
        if (cur[0] > ftPaeth) RaiseInvalidData(line);
        Unfilter(static_cast<TFilterType>(cur[0]), cur + 1, prev, rowBytes, h.PixelBytes());
        uint8_t* dest = bitmap.ScanLine(static_cast<int32_t>(pass.Y0 + r * pass.DY));
        if (pass.DX == 1) {
          UnpackRow(h, cur + 1, dest, width);
          continue;
        }
        UnpackRow(h, cur + 1, pixels.data(), width);
        for (uint32_t x = 0; x < width; ++x)
          std::memcpy(dest + static_cast<size_t>(pass.X0 + x * pass.DX) * outBytes,
                      pixels.data() + static_cast<size_t>(x) * outBytes, outBytes);
      }
    }
  }
  if (idat.ReadTrailer() != adler) throw EFormatError("Adler32 error");
  chunkWaiting = idat.ChunkWaiting;
}

// A gAMA chunk names the exponent the samples were encoded with; the pixels
// are corrected for an ordinary display (exponent 2.2), so the common value
// 45455 leaves them unchanged.
constexpr double kDisplayExponent = 2.2;

std::array<uint8_t, 256> GammaTable(double gamma) {
  std::array<uint8_t, 256> t{};
  for (int i = 1; i < 256; ++i) {
    double v = std::nearbyint(std::pow(i / 255.0, 1.0 / (gamma * kDisplayExponent)) * 255.0);
    t[i] = static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
  }
  return t;
}

// The transparent colour named by a tRNS chunk, before gamma correction.
TPNGTransparency ReadTransparency(const THeader& h, const uint8_t* d, uint32_t n,
                                  const TRevedBitmap& bitmap) {
  TPNGTransparency t;
  auto sample = [&](int i) {
    uint32_t v = static_cast<uint32_t>(d[2 * i] << 8 | d[2 * i + 1]);
    if (h.BitDepth == 16) return v >> 8;
    if (h.BitDepth == 8) return v & 0xFF;
    uint32_t max = (1u << h.BitDepth) - 1;
    return (v & max) * 255 / max;
  };
  if (h.ColorType == 0 && n >= 2) {
    t.Color = sample(0) * 0x010101u;
  } else if (h.ColorType == 2 && n >= 6) {
    t.Color = sample(0) | sample(1) << 8 | sample(2) << 16;
  } else if (h.ColorType == 3) {
    const uint8_t* end = d + std::min<uint32_t>(n, 256);
    const uint8_t* hit = std::find(d, end, 0);
    if (hit == end) hit = std::find_if(d, end, [](uint8_t a) { return a < 255; });
    if (hit == end) return t;
    t.PaletteIndex = static_cast<int>(hit - d);
    const uint8_t* e = bitmap.Palette->data() + 3 * t.PaletteIndex;
    t.Color = e[2] | e[1] << 8 | static_cast<uint32_t>(e[0]) << 16;
  } else {
    return t;
  }
  t.Transparent = true;
  return t;
}

void ApplyGamma(const THeader& h, double gamma, TRevedBitmap& bitmap, TPNGTransparency& trns) {
  auto table = GammaTable(gamma);
  bool identity = true;
  for (int i = 0; i < 256; ++i) identity = identity && table[i] == i;
  if (identity) return;
  // Palettes hold the colours of palette and low-depth grey images; other
  // images hold them in the pixels.
  if (h.Paletted() || h.BitDepth < 8) {
    for (auto& b : *bitmap.Palette) b = table[b];
  } else {
    uint8_t* p = bitmap.Map.get();
    for (int32_t i = 0; i < bitmap.Size; ++i) p[i] = table[p[i]];
  }
  if (trns.Transparent) {
    uint32_t c = trns.Color;
    trns.Color = table[c & 0xFF] | table[(c >> 8) & 0xFF] << 8 |
                 static_cast<uint32_t>(table[(c >> 16) & 0xFF]) << 16;
  }
}

void PrepareBitmap(const THeader& h, TRevedBitmap& bitmap) {
  bitmap.New(static_cast<int32_t>(h.Width), static_cast<int32_t>(h.Height),
             h.Rgb() ? pf24bit : pf8bit);
  if (bitmap.PixelFormat != pf8bit) return;
  TPalette& pal = *bitmap.Palette;
  if (h.Paletted() || h.BitDepth < 8) pal.fill(0);
  if (h.Paletted()) return;
  if (h.BitDepth < 8)
    MakeGrayPalette(pal.data(), 1 << h.BitDepth);
  else
    pal = DefaultPalette();
}

void ReadPalette(TChunkReader& chunks, TRevedBitmap& bitmap) {
  if (chunks.Length == 0 || chunks.Length > 768 || chunks.Length % 3) RaiseInvalidData(0);
  uint8_t rgb[768];
  chunks.Read(rgb, chunks.Length);
  TPalette& pal = *bitmap.Palette;
  pal.fill(0);
  for (uint32_t i = 0; i < chunks.Length / 3; ++i) {
    pal[3 * i] = rgb[3 * i + 2];
    pal[3 * i + 1] = rgb[3 * i + 1];
    pal[3 * i + 2] = rgb[3 * i];
  }
  chunks.CheckCRC();
}

}  // namespace

void TPNGLoader::LoadFromStream(TBaseStream& stream, const std::string&, TRevedBitmap& bitmap) {
  Gamma = 1.0;
  FileTransparency = {};
  TBufferedStream buf(-1, &stream, 0);
  buf.ExactCount = false;  // short reads are judged here
  uint8_t sig[8];
  if (buf.Read(sig, 8) != 8 || std::memcmp(sig, kSignature, 8) != 0)
    throw EFormatError("Invalid PNG header");
  TChunkReader chunks(buf);
  if (!chunks.Next() || !chunks.Is("IHDR") || chunks.Length != 13) RaiseInvalidData(0);
  uint8_t ihdr[13];
  chunks.Read(ihdr, 13);
  chunks.CheckCRC();
  const THeader h = ParseHeader(ihdr);
  BitDepth = h.BitDepth;
  PrepareBitmap(h, bitmap);

  bool imageDone = false, havePalette = false, chunkWaiting = false;
  uint8_t trns[256];
  uint32_t trnsLength = 0;
  bool haveTrns = false;
  // A colour profile or an sRGB chunk takes precedence over gAMA.
  bool haveGamma = false, colourManaged = false;
  while (chunkWaiting || chunks.Next()) {
    chunkWaiting = false;
    if (chunks.Is("IDAT")) {
      if (imageDone) {
        chunks.CheckCRC();  // stray image data after the image: ignored
        continue;
      }
      if (h.Paletted() && !havePalette) RaiseInvalidData(0);
      DecodeImage(chunks, h, bitmap, chunkWaiting);
      imageDone = true;
    } else if (chunks.Is("PLTE")) {
      if (!h.Paletted()) {
        chunks.SkipUnchecked();
        continue;
      }
      // One palette, before the image data.
      if (havePalette || imageDone) RaiseInvalidData(0);
      ReadPalette(chunks, bitmap);
      havePalette = true;
    } else if (chunks.Is("gAMA") && chunks.Length == 4) {
      uint8_t g[4];
      chunks.Read(g, 4);
      chunks.CheckCRC();
      Gamma = BigEndian32(g) / 100000.0;
      haveGamma = true;
    } else if (chunks.Is("sRGB") || chunks.Is("iCCP")) {
      colourManaged = true;
      chunks.SkipUnchecked();
    } else if (chunks.Is("tRNS") && chunks.Length <= 256) {
      trnsLength = chunks.Length;
      chunks.Read(trns, trnsLength);
      haveTrns = chunks.CRCMatches();  // a damaged ancillary chunk is ignored
    } else if (chunks.Is("IEND")) {
      chunks.CheckCRC();
      break;
    } else if (chunks.Critical()) {
      throw EFormatError("Unsupported PNG data");
    } else {
      chunks.SkipUnchecked();
    }
  }
  if (!imageDone) throw ERevedBitmap("Error in bitmap data");
  if (haveTrns) FileTransparency = ReadTransparency(h, trns, trnsLength, bitmap);
  if (haveGamma && !colourManaged && Gamma > 0) {
    ApplyGamma(h, Gamma, bitmap, FileTransparency);
    Gamma = 0;
  }
}

TPNGLoader& PNGLoader() {
  static TPNGLoader loader;
  return loader;
}

TPNGTransparency LoadPNGFile(const std::string& fileName, TRevedBitmap& bitmap) {
  TPNGLoader loader;
  bitmap.Dispose();
  try {
    TFileStream stream(fileName, fmRead | fmShareRead);
    loader.LoadFromStream(stream, "PNG", bitmap);
  } catch (...) {
    bitmap.Dispose();
    throw;
  }
  return loader.FileTransparency;
}

}  // namespace lumarte::imaging
