#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include <cstring>

#include "imaging/BMPLoader.h"
#include "imaging/BmpTestFiles.h"
#include "imaging/CodecTestUtil.h"

using namespace lumarte;
using namespace lumarte::imaging;
using lumarte::testing::ColorAt;
using lumarte::testing::GetLE;

namespace {

TRevedBitmap LoadBytes(const std::string& bytes) {
  TMemoryStream s(bytes.data(), bytes.size());
  TRevedBitmap b;
  b.LoadFromStream(s, "bmp");
  return b;
}

uint32_t Noise(uint32_t i) {
  return (i * 0x9E3779B1u) >> 8;
}

TRevedBitmap Random(int w, int h, TPixelFormat f, int colors) {
  TRevedBitmap b;
  b.New(w, h, f);
  for (int32_t i = 0; i < b.Size; ++i)
    b.Map[i] = static_cast<uint8_t>(f == pf8bit ? Noise(i) % colors : Noise(i));
  if (f == pf8bit)
    for (int i = 0; i < 768; ++i) (*b.Palette)[i] = static_cast<uint8_t>(Noise(i + 1000));
  return b;
}

// ---- round trips ----

struct TRoundTrip {
  int Bits;
  TPixelFormat Source;
  int Colors;  // distinct palette indices used by an 8-bit source
  int Width;
};

class BmpRoundTrip : public ::testing::TestWithParam<TRoundTrip> {};

TEST_P(BmpRoundTrip, ColoursSurviveExactly) {
  const TRoundTrip& p = GetParam();
  TRevedBitmap src = Random(p.Width, 3, p.Source, p.Colors);
  TMemoryStream file;
  WriteBMP(file, src, p.Bits);
  TRevedBitmap back = LoadBytes(file.Data);
  ASSERT_EQ(back.Width, p.Width);
  ASSERT_EQ(back.Height, 3);
  EXPECT_EQ(back.PixelFormat, p.Bits == 24 ? pf24bit : pf8bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < p.Width; ++x) ASSERT_EQ(ColorAt(back, x, y), ColorAt(src, x, y)) << x;
  if (p.Bits == 8 && p.Source == pf8bit) {  // indices and the whole table as they were
    EXPECT_EQ(std::memcmp(back.Map.get(), src.Map.get(), src.Size), 0);
    EXPECT_EQ(*back.Palette, *src.Palette);
  }
}

INSTANTIATE_TEST_SUITE_P(
    DepthsAndOddWidths, BmpRoundTrip,
    ::testing::Values(TRoundTrip{24, pf24bit, 0, 1}, TRoundTrip{24, pf24bit, 0, 3},
                      TRoundTrip{24, pf24bit, 0, 5}, TRoundTrip{24, pf8bit, 256, 7},
                      TRoundTrip{8, pf8bit, 256, 1}, TRoundTrip{8, pf8bit, 256, 13},
                      TRoundTrip{4, pf8bit, 16, 1}, TRoundTrip{4, pf8bit, 16, 7},
                      TRoundTrip{4, pf8bit, 9, 12}, TRoundTrip{1, pf8bit, 2, 1},
                      TRoundTrip{1, pf8bit, 2, 9}, TRoundTrip{1, pf8bit, 2, 33},
                      TRoundTrip{8, pf24bit, 0, 4}));

// Fewer bits than colours: the file holds a reduced palette of that size.
TEST(BmpWrite, ReducesTo16Colours) {
  TRevedBitmap src = Random(40, 20, pf24bit, 0);
  TMemoryStream file;
  WriteBMP(file, src, 4, true);
  TRevedBitmap back = LoadBytes(file.Data);
  EXPECT_EQ(back.PixelFormat, pf8bit);
  for (int32_t i = 0; i < back.Size; ++i) ASSERT_LT(back.Map[i], 16);
}

// ---- byte layout ----

TEST(BmpWrite, Layout24BitPadsRowsAndStoresBottomUp) {
  TRevedBitmap b;
  b.New(3, 2, pf24bit);
  for (int i = 0; i < 18; ++i) b.Map[i] = static_cast<uint8_t>(i + 1);
  TMemoryStream file;
  BitmapLoaders().FindSaver("BMP").SaveToStream(file, "BMP", b);
  const std::string& s = file.Data;
  ASSERT_EQ(s.size(), 54u + 2 * 12);
  EXPECT_EQ(s.substr(0, 2), "BM");
  EXPECT_EQ(GetLE(s, 2, 4), 78u);   // file size
  EXPECT_EQ(GetLE(s, 10, 4), 54u);  // pixel offset
  EXPECT_EQ(GetLE(s, 14, 4), 40u);  // info header
  EXPECT_EQ(GetLE(s, 18, 4), 3u);
  EXPECT_EQ(GetLE(s, 22, 4), 2u);  // positive height: bottom-up
  EXPECT_EQ(GetLE(s, 26, 2), 1u);
  EXPECT_EQ(GetLE(s, 28, 2), 24u);
  EXPECT_EQ(GetLE(s, 30, 4), 0u);  // uncompressed
  EXPECT_EQ(GetLE(s, 34, 4), 24u);
  EXPECT_EQ(GetLE(s, 46, 4), 0u);  // no colour table
  EXPECT_EQ(s.substr(54, 12), std::string("\x0a\x0b\x0c\x0d\x0e\x0f\x10\x11\x12\0\0\0", 12));
  EXPECT_EQ(s.substr(66, 12), std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\0\0\0", 12));
}

TEST(BmpWrite, Layout1BitPacksHighBitFirst) {
  TRevedBitmap b;
  b.New(10, 1, pf8bit);
  for (int x = 0; x < 10; ++x) b.Map[x] = x % 3 == 0;
  (*b.Palette)[3] = 0x11, (*b.Palette)[4] = 0x22, (*b.Palette)[5] = 0x33;
  TMemoryStream file;
  WriteBMP(file, b, 1);
  const std::string& s = file.Data;
  ASSERT_EQ(s.size(), 54u + 8 + 4);
  EXPECT_EQ(GetLE(s, 10, 4), 62u);
  EXPECT_EQ(GetLE(s, 28, 2), 1u);
  EXPECT_EQ(GetLE(s, 46, 4), 2u);  // two-entry table
  EXPECT_EQ(s.substr(58, 4), std::string("\x11\x22\x33\0", 4));
  // pixels 1001001001 -> 1001 0010 01xx xxxx
  EXPECT_EQ(s.substr(62, 4), std::string("\x92\x40\0\0", 4));
}

TEST(BmpWrite, EightBitWritesFullTable) {
  TRevedBitmap b = Random(2, 2, pf8bit, 3);
  TMemoryStream file;
  BitmapLoaders().FindSaver("bmp").SaveToStream(file, "bmp", b);
  EXPECT_EQ(GetLE(file.Data, 10, 4), 54u + 1024);
  EXPECT_EQ(GetLE(file.Data, 46, 4), 256u);
}

// A palette BMP of width 37 from a common tool: its runs cover the row padding.
TEST(BmpRead, RunLengthFileOfACommonWriterMatchesItsReference) {
  std::string dir = std::string(LUMARTE_TEST_DATA) + "/bmp/rle8-width37-padding-runs";
  TRevedBitmap b = LoadBytes(lumarte::testing::ReadFileBytes(dir + ".bmp"));
  std::string ppm = lumarte::testing::ReadFileBytes(dir + ".ppm");
  const std::string header = "P6\n37 20\n255\n";
  ASSERT_EQ(ppm.compare(0, header.size(), header), 0);
  ASSERT_EQ(b.Width, 37);
  EXPECT_TRUE(lumarte::testing::ToRgb(b) ==
              std::vector<uint8_t>(ppm.begin() + header.size(), ppm.end()));
}

TEST(BmpLoader, RefusesOtherExtensions) {
  TBMPLoader loader;
  TMemoryStream s;
  TRevedBitmap b;
  EXPECT_EQ(Message([&] { loader.LoadFromStream(s, "pcx", b); }), "Unsupported file format");
  EXPECT_EQ(Message([&] { loader.SaveToStream(s, "gif", b); }), "Unsupported file format");
  EXPECT_EQ(Message([&] { WriteBMP(s, b, 24); }), "Invalid bitmap size");
  EXPECT_EQ(Message([&] { WriteBMP(s, Random(1, 1, pf24bit, 0), 16); }),
            "Unsupported pixel format");
}

}  // namespace
