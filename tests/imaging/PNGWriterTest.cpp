#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include <filesystem>

#include "LibpngPeer.h"
#include "PngTestUtil.h"
#include "support/TempFolder.h"

namespace lumarte::imaging {
namespace {

using test::Bytes;
using test::ChunksOf;
using test::TChunk;

// Kinds of images the writer meets.
enum TKind { kRgb, kAllGreyRgb, kGreyRamp, kPalette };

TRevedBitmap MakeImage(TKind kind, int32_t w, int32_t h) {
  TRevedBitmap b;
  b.New(w, h, kind == kRgb || kind == kAllGreyRgb ? pf24bit : pf8bit);
  uint32_t seed = static_cast<uint32_t>(w * 7919 + h);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = b.ScanLine(y);
    for (int32_t i = 0; i < b.BytesPerLine; ++i) {
      seed = seed * 1103515245u + 12345u;
      int smooth = (i / 3) * 2 + y * 3;  // gradients with a little noise
      row[i] = static_cast<uint8_t>(smooth + ((seed >> 16) % 5));
    }
    if (kind == kAllGreyRgb)
      for (int32_t x = 0; x < w; ++x) row[3 * x + 1] = row[3 * x + 2] = row[3 * x];
  }
  if (kind == kPalette) {
    for (int i = 0; i < 768; ++i) (*b.Palette)[i] = static_cast<uint8_t>(i * 13);
    for (int i = 600; i < 768; ++i) (*b.Palette)[i] = 0;  // black tail: trimmed
    for (int32_t i = 0; i < b.Size; ++i) b.Map[i] %= 200;
  }
  return b;
}

std::vector<std::string> ChunkTypes(const std::string& png) {
  std::vector<std::string> types;
  for (const auto& c : ChunksOf(png)) types.push_back(c.Type);
  return types;
}

// ---- round trips ----

struct TRoundTrip {
  TKind kind;
  int32_t w, h;
  int colorType;
};

class PngWriteRoundTrip : public ::testing::TestWithParam<TRoundTrip> {};

// Without transparency or gamma only the image's own chunks are written.
TEST_P(PngWriteRoundTrip, LibpngAndWeReadBackThePixels) {
  const auto& p = GetParam();
  TRevedBitmap b = MakeImage(p.kind, p.w, p.h);
  std::string png = test::SavePngBytes(b);
  EXPECT_EQ(static_cast<uint8_t>(ChunksOf(png)[0].Data[9]), p.colorType);
  EXPECT_EQ(ChunkTypes(png), p.colorType == 3
                                 ? (std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"})
                                 : (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  test::TRgbImage ref;
  std::string why;
  ASSERT_TRUE(test::LibpngDecode(png, ref, &why)) << why;
  EXPECT_TRUE(ref.Rgb == test::ToRgb(b));
  TRevedBitmap back = test::LoadPngBytes(png);
  ASSERT_EQ(back.PixelFormat, b.PixelFormat);
  EXPECT_TRUE(test::ToRgb(back) == test::ToRgb(b));
  EXPECT_EQ(std::string(back.Map.get(), back.Map.get() + back.Size),
            std::string(b.Map.get(), b.Map.get() + b.Size));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PngWriteRoundTrip,
    ::testing::Values(TRoundTrip{kRgb, 1, 1, 2}, TRoundTrip{kRgb, 5, 3, 2},
                    TRoundTrip{kRgb, 300, 201, 2}, TRoundTrip{kGreyRamp, 1, 7, 0},
                    TRoundTrip{kGreyRamp, 129, 64, 0}, TRoundTrip{kPalette, 2, 2, 3},
                    TRoundTrip{kPalette, 77, 50, 3}, TRoundTrip{kAllGreyRgb, 16, 16, 2}));

// ---- the file layout ----

TEST(PngWrite, ChunkSequenceWithOneIdatOfFixedCodes) {
  TPNGSaveOptions o;
  o.Transparent = true;
  o.TransparentColor = 5;
  o.Gamma = 0.5;
  std::string png = test::SavePngBytes(MakeImage(kPalette, 40, 30), o);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  std::vector<TChunk> c = ChunksOf(png);
  EXPECT_EQ(ChunkTypes(png),
            (std::vector<std::string>{"IHDR", "PLTE", "gAMA", "tRNS", "IDAT", "IEND"}));
  EXPECT_EQ(c[0].Data, test::BE32(40) + test::BE32(30) + Bytes({8, 3, 0, 0, 0}));
  EXPECT_EQ(c[2].Data, test::BE32(50000));
  const std::string& idat = c[4].Data;
  EXPECT_EQ(idat.substr(0, 2), "\x78\xDA");
  EXPECT_EQ((idat[2] >> 1) & 3, 1);  // the first block uses the fixed codes
  // The patched length is right: the CRC (checked by zlib's function) follows.
  size_t at = png.find("IDAT") - 4;
  std::string td = png.substr(at + 4, 4 + idat.size());
  uint32_t crc = static_cast<uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(td.data()), static_cast<uInt>(td.size())));
  EXPECT_EQ(png.substr(at + 8 + idat.size(), 4), test::BE32(crc));
}

TEST(PngWrite, PaletteEndsAtTheLastColourOrTheHighestIndexUsed) {
  TRevedBitmap b;
  b.New(3, 1, pf8bit);
  b.Palette->fill(0);
  for (int i = 0; i < 10; ++i) (*b.Palette)[3 * i + 2] = static_cast<uint8_t>(100 + i);
  b.Map[0] = 1, b.Map[1] = 2, b.Map[2] = 3;
  std::string plte = ChunksOf(test::SavePngBytes(b))[1].Data;
  ASSERT_EQ(plte.size(), 30u);
  EXPECT_EQ(plte.substr(27), Bytes({109, 0, 0}));  // red, green, blue of entry 9
  b.Map[2] = 20;  // a black entry beyond the last colour is still in use
  EXPECT_EQ(ChunksOf(test::SavePngBytes(b))[1].Data.size(), 63u);
}

struct TTransparencyForm {
  const char* name;
  TKind kind;
  uint32_t color;
  std::string trns;
};

class PngWriteTransparency : public ::testing::TestWithParam<TTransparencyForm> {};

TEST_P(PngWriteTransparency, WritesTheTrnsForm) {
  const auto& p = GetParam();
  TPNGSaveOptions o;
  o.Transparent = true;
  o.TransparentColor = p.color;
  std::string png = test::SavePngBytes(MakeImage(p.kind, 8, 8), o);
  std::string trns;
  for (const auto& c : ChunksOf(png))
    if (c.Type == "tRNS") trns = c.Data;
  EXPECT_EQ(trns, p.trns);
  test::TRgbImage ref;
  EXPECT_TRUE(test::LibpngDecode(png, ref));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PngWriteTransparency,
    ::testing::Values(TTransparencyForm{"rgb_red", kRgb, 0x0000FF, Bytes({0, 255, 0, 0, 0, 0})},
                    TTransparencyForm{"rgb", kRgb, 0x123456, Bytes({0, 0x56, 0, 0x34, 0, 0x12})},
                    TTransparencyForm{"grey", kGreyRamp, 0x000080, Bytes({0, 0x80})},
                    TTransparencyForm{"palette", kPalette, 3, Bytes({255, 255, 255, 0})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PngWrite, PlainGammaWritesNoChunk) {
  TPNGSaveOptions o;
  o.Gamma = 1.0;
  EXPECT_EQ(ChunkTypes(test::SavePngBytes(MakeImage(kRgb, 3, 3), o)),
            (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
}

// Filters a row in the five ways by the PNG standard's definitions.
std::vector<std::string> FiveFilters(const std::string& row, const std::string& prev, int bpp) {
  std::vector<std::string> out(5, std::string(row.size(), '\0'));
  auto at = [](const std::string& s, long i) { return i < 0 ? 0 : static_cast<uint8_t>(s[i]); };
  for (long i = 0; i < static_cast<long>(row.size()); ++i) {
    int x = at(row, i), a = at(row, i - bpp), b = at(prev, i), c = at(prev, i - bpp);
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    int pred[5] = {0, a, b, (a + b) / 2, paeth};
    for (int f = 0; f < 5; ++f) out[f][i] = static_cast<char>(x - pred[f]);
  }
  return out;
}

TEST(PngWrite, EachRowTakesTheFilterWithTheSmallestSignedSum) {
  TRevedBitmap b = MakeImage(kRgb, 50, 40);
  for (int32_t x = 0; x < 150; ++x) b.ScanLine(9)[x] = b.ScanLine(8)[x];  // a tie: Paeth wins
  std::string png = test::SavePngBytes(b);
  std::string z = ChunksOf(png)[1].Data;
  std::string raw(40 * 151, '\0');
  uLongf n = raw.size();
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &n,
                       reinterpret_cast<const Bytef*>(z.data()), z.size()),
            Z_OK);
  std::string prev(150, '\0');
  std::vector<int> chosen;
  for (int32_t y = 0; y < 40; ++y) {
    std::string row;
    for (int32_t x = 0; x < 50; ++x) {
      const uint8_t* p = b.ScanLine(y) + 3 * x;
      row += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
    }
    auto forms = FiveFilters(row, prev, 3);
    int best = -1;
    long bestScore = 0;
    for (int f : {4, 3, 2, 1, 0}) {
      long score = 0;
      for (char v : forms[f]) score += std::abs(static_cast<int>(static_cast<int8_t>(v)));
      if (best < 0 || score < bestScore) best = f, bestScore = score;
    }
    EXPECT_EQ(raw[y * 151], best) << "row " << y;
    EXPECT_EQ(raw.substr(y * 151 + 1, 150), forms[best]) << "row " << y;
    chosen.push_back(raw[y * 151]);
    prev = row;
  }
  EXPECT_EQ(chosen[9], 4);
}

// ---- streams, files and failures ----

// A stream that cannot seek.
class TPipeStream : public TBaseStream {
 public:
  TPipeStream() { CanWrite = true; }
  std::string Data;
  size_t Write(const void* p, size_t n) override {
    Data.append(static_cast<const char*>(p), n);
    return n;
  }
  size_t Read(void*, size_t) override { return 0; }
  int64_t Available() override { return 0; }
};

TEST(PngWrite, UnseekableStreamGetsTheSameBytes) {
  TRevedBitmap b = MakeImage(kRgb, 20, 20);
  TPipeStream pipe;
  SavePNG(pipe, b, {});
  EXPECT_EQ(pipe.Data, test::SavePngBytes(b));
}

TEST(PngWrite, EmptyBitmapIsRefused) {
  TRevedBitmap b;
  EXPECT_EQ(Message([&] { test::SavePngBytes(b); }), "Pixel format not supported yet");
}

TEST(PngWrite, PaletteTransparencyNeedsAnIndex) {
  TPNGSaveOptions o;
  o.Transparent = true;
  o.TransparentColor = 256;
  EXPECT_THROW(test::SavePngBytes(MakeImage(kPalette, 2, 2), o), ERevedBitmap);
}

TEST(PngWrite, EightBitImageIsWrittenAfterLoadingAFourBitFile) {
  // The bit depth of a file read earlier does not leak into the next save.
  std::string fourBit = test::SimplePng(test::Ihdr(2, 1, 4, 3), Bytes({0, 0x10}),
                                        {{"PLTE", Bytes({1, 2, 3, 4, 5, 6})}});
  TPNGLoader& codec = PNGLoader();
  TRevedBitmap loaded = test::LoadPngBytes(fourBit, &codec);
  EXPECT_EQ(codec.BitDepth, 4);
  TMemoryStream out;
  TRevedBitmap b = MakeImage(kPalette, 6, 6);
  b.SaveToStream(out, "png");
  EXPECT_EQ(ChunksOf(out.Data)[0].Data[8], 8);
  TRevedBitmap back = test::LoadPngBytes(out.Data);
  EXPECT_TRUE(test::ToRgb(back) == test::ToRgb(b));
}

TEST(PngFiles, FailingSaveLeavesTheOldFileIntact) {
  fixtures::TempFolder dir;
  const std::string keep = dir.Write("keep.png", "old contents");
  TPNGLoader& codec = PNGLoader();
  codec.Transparent = true;
  codec.TransparentColor = 999;  // fails after the header has been written
  TRevedBitmap b = MakeImage(kPalette, 4, 4);
  EXPECT_THROW(b.SaveToFile(keep), ERevedBitmap);
  codec.Transparent = false;
  codec.TransparentColor = kNoTransparentColor;
  EXPECT_EQ(dir.Read(keep), "old contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path), {}), 1);  // no temporary
  b.SaveToFile(keep);
  EXPECT_EQ(dir.Read(keep).substr(1, 3), "PNG");
}

TEST(PngFiles, DocumentTransparencySurvivesSaveAndLoad) {
  fixtures::TempFolder dir;
  TRevedBitmap b = MakeImage(kRgb, 9, 9);
  TPNGSaveOptions o;
  o.Transparent = true;
  o.TransparentColor = 0x00FF8040;
  SavePNGFile(dir / "doc.png", b, o);
  TRevedBitmap back;
  TPNGTransparency t = LoadPNGFile(dir / "doc.png", back);
  EXPECT_TRUE(t.Transparent);
  EXPECT_EQ(t.Color, 0x00FF8040u);
  EXPECT_TRUE(test::ToRgb(back) == test::ToRgb(b));
}

}  // namespace
}  // namespace lumarte::imaging
