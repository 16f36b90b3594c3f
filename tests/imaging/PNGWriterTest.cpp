#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include "LibpngPeer.h"
#include "PngTestUtil.h"
#include "imaging/CRC32Stream.h"

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
  std::vector<TChunk> c = ChunksOf(png);
  EXPECT_EQ(ChunkTypes(png),
            (std::vector<std::string>{"IHDR", "PLTE", "gAMA", "tRNS", "IDAT", "IEND"}));
  EXPECT_EQ(c[0].Data, test::BE32(40) + test::BE32(30) + Bytes({8, 3, 0, 0, 0}));
  EXPECT_EQ(c[2].Data, test::BE32(50000));
  const std::string& idat = c[4].Data;
  EXPECT_EQ(idat.substr(0, 2), "\x78\xDA");
  EXPECT_EQ((idat[2] >> 1) & 3, 1);  // the first block uses the fixed codes
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
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PngWriteTransparency,
    ::testing::Values(TTransparencyForm{"rgb_red", kRgb, 0x0000FF, Bytes({0, 255, 0, 0, 0, 0})},
                      TTransparencyForm{"rgb", kRgb, 0x123456, Bytes({0, 0x56, 0, 0x34, 0, 0x12})},
                      TTransparencyForm{"grey", kGreyRamp, 0x000080, Bytes({0, 0x80})},
                      TTransparencyForm{"palette", kPalette, 3, Bytes({255, 255, 255, 0})}),
    [](const auto& info) { return std::string(info.param.name); });

// Each row is filtered in the five ways by the PNG standard's definitions and
// takes the one with the smallest sum of absolute signed bytes; ties go to
// Paeth, Average, Up, Sub, None in turn.
TEST(PngWrite, EachRowTakesTheFilterWithTheSmallestSignedSum) {
  TRevedBitmap b = MakeImage(kRgb, 50, 40);
  for (int32_t x = 0; x < 150; ++x) b.ScanLine(9)[x] = b.ScanLine(8)[x];  // a tie: Paeth wins
  std::string z = ChunksOf(test::SavePngBytes(b))[1].Data, raw(40 * 151, '\0');
  uLongf n = raw.size();
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &n,
                       reinterpret_cast<const Bytef*>(z.data()), z.size()),
            Z_OK);
  const std::vector<uint8_t> rgb = test::ToRgb(b);  // the samples, rows top first
  for (int y = 0; y < 40; ++y) {
    auto at = [&](int row, int i) { return row < 0 || i < 0 ? 0 : rgb[150 * row + i]; };
    std::string best;
    long bestScore = -1;
    for (int f : {4, 3, 2, 1, 0}) {
      std::string out(1, static_cast<char>(f));
      long score = 0;
      for (int i = 0; i < 150; ++i) {
        int a = at(y, i - 3), up = at(y - 1, i), c = at(y - 1, i - 3);
        int p = a + up - c, pa = std::abs(p - a), pb = std::abs(p - up), pc = std::abs(p - c);
        int pred[5] = {0, a, up, (a + up) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? up : c};
        out += static_cast<char>(at(y, i) - pred[f]);
        score += std::abs(static_cast<int8_t>(out.back()));
      }
      if (bestScore < 0 || score < bestScore) best = out, bestScore = score;
    }
    EXPECT_EQ(raw.substr(151 * y, 151), best) << "row " << y;
  }
  EXPECT_EQ(raw[151 * 9], 4);
}

// ---- streams, files and failures ----

// A filter stream cannot seek: the file is assembled in memory first.
TEST(PngWrite, UnseekableStreamGetsTheSameBytes) {
  TRevedBitmap b = MakeImage(kRgb, 20, 20);
  TMemoryStream sink;
  TCRC32Stream pipe(&sink);
  SavePNG(pipe, b, {});
  EXPECT_EQ(sink.Data, test::SavePngBytes(b));
}

TEST(PngWrite, EmptyBitmapIsRefused) {
  TRevedBitmap b;
  EXPECT_EQ(Message([&] { test::SavePngBytes(b); }), "Pixel format not supported yet");
}

// The codec saves with the options set on it, and not with the depth of the
// file it read before.
TEST(PngWrite, TheCodecSavesWithItsOptionsInEightBits) {
  std::string fourBit = test::SimplePng(test::Ihdr(2, 1, 4, 3), Bytes({0, 0x10}),
                                        {{"PLTE", Bytes({1, 2, 3, 4, 5, 6})}});
  TPNGLoader& codec = PNGLoader();
  test::LoadPngBytes(fourBit, &codec);
  ASSERT_EQ(codec.BitDepth, 4);
  codec.Transparent = true;
  TRevedBitmap b = MakeImage(kPalette, 6, 6);
  TMemoryStream refused, out;
  codec.TransparentColor = 256;
  EXPECT_EQ(Message([&] { b.SaveToStream(refused, "png"); }), "Invalid transparent color index");
  codec.TransparentColor = 2;
  b.SaveToStream(out, "png");
  codec.Transparent = false;
  codec.TransparentColor = kNoTransparentColor;
  std::vector<TChunk> c = ChunksOf(out.Data);
  EXPECT_EQ(c[0].Data[8], 8);
  EXPECT_EQ(c[2].Type + c[2].Data, "tRNS" + Bytes({255, 255, 0}));
}

}  // namespace
}  // namespace lumarte::imaging
