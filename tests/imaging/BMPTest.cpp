#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include <cstring>
#include <functional>

#include "imaging/BMPLoader.h"
#include "imaging/BmpTestFiles.h"
#include "imaging/IconTestUtil.h"

using namespace lumarte;
using namespace lumarte::imaging;
using lumarte::testing::BuildBmp;
using lumarte::testing::TBmpLayout;

namespace {

TRevedBitmap LoadBytes(const std::string& bytes) {
  TMemoryStream s(bytes.data(), bytes.size());
  TRevedBitmap b;
  b.LoadFromStream(s, "bmp");
  return b;
}

// Pixel (x, y) as 0x00RRGGBB, through the palette for 8-bit buffers.
uint32_t ColorAt(const TRevedBitmap& b, int x, int y) {
  const uint8_t* p =
      b.PixelFormat == pf24bit ? b.ScanLine(y) + 3 * x : &(*b.Palette)[3 * b.ScanLine(y)[x]];
  return p[0] | p[1] << 8 | p[2] << 16;
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

uint32_t Le(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(s[at + i]);
  return v;
}

TEST(BmpWrite, Layout24BitPadsRowsAndStoresBottomUp) {
  TRevedBitmap b;
  b.New(3, 2, pf24bit);
  for (int i = 0; i < 18; ++i) b.Map[i] = static_cast<uint8_t>(i + 1);
  TMemoryStream file;
  BitmapLoaders().FindSaver("BMP").SaveToStream(file, "BMP", b);
  const std::string& s = file.Data;
  ASSERT_EQ(s.size(), 54u + 2 * 12);
  EXPECT_EQ(s.substr(0, 2), "BM");
  EXPECT_EQ(Le(s, 2, 4), 78u);   // file size
  EXPECT_EQ(Le(s, 10, 4), 54u);  // pixel offset
  EXPECT_EQ(Le(s, 14, 4), 40u);  // info header
  EXPECT_EQ(Le(s, 18, 4), 3u);
  EXPECT_EQ(Le(s, 22, 4), 2u);  // positive height: bottom-up
  EXPECT_EQ(Le(s, 26, 2), 1u);
  EXPECT_EQ(Le(s, 28, 2), 24u);
  EXPECT_EQ(Le(s, 30, 4), 0u);  // uncompressed
  EXPECT_EQ(Le(s, 34, 4), 24u);
  EXPECT_EQ(Le(s, 46, 4), 0u);  // no colour table
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
  EXPECT_EQ(Le(s, 10, 4), 62u);
  EXPECT_EQ(Le(s, 28, 2), 1u);
  EXPECT_EQ(Le(s, 46, 4), 2u);  // two-entry table
  EXPECT_EQ(s.substr(58, 4), std::string("\x11\x22\x33\0", 4));
  // pixels 1001001001 -> 1001 0010 01xx xxxx
  EXPECT_EQ(s.substr(62, 4), std::string("\x92\x40\0\0", 4));
}

TEST(BmpWrite, EightBitWritesFullTable) {
  TRevedBitmap b = Random(2, 2, pf8bit, 3);
  TMemoryStream file;
  BitmapLoaders().FindSaver("bmp").SaveToStream(file, "bmp", b);
  EXPECT_EQ(Le(file.Data, 10, 4), 54u + 1024);
  EXPECT_EQ(Le(file.Data, 46, 4), 256u);
}

// ---- reading hand-made files ----

struct TReadCase {
  const char* Name;
  TBmpLayout Layout;
  TPixelFormat Format;
  std::vector<uint32_t> Expected;  // 0x00RRGGBB, top row first
};

class BmpRead : public ::testing::TestWithParam<TReadCase> {};

TEST_P(BmpRead, GivesExpectedPixels) {
  const TReadCase& c = GetParam();
  TRevedBitmap b = LoadBytes(BuildBmp(c.Layout));
  ASSERT_EQ(b.Width, c.Layout.Width);
  ASSERT_EQ(b.Height, std::abs(c.Layout.Height));
  EXPECT_EQ(b.PixelFormat, c.Format);
  std::vector<uint32_t> got;
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x) got.push_back(ColorAt(b, x, y));
  EXPECT_EQ(got, c.Expected);
}

constexpr uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, K = 0, W = 0xFFFFFF;
const std::vector<uint32_t> kRGBW = {K, R, G, B, W};

const TReadCase kReadCases[] = {
    // 4x3 RLE8: bottom row = absolute (R, G, B) padded to a word, run of one W; end of
    // line; delta (1, 1) over the middle row to x=1 of the top row; run of 3 W; end.
    {"Rle8RunsDeltaAndEnds",
     {40, 4, 3, 8, 1, 5, kRGBW, {}, {0, 3, 1, 2, 3, 0, 1, 4, 0, 0, 0, 2, 1, 1, 3, 4, 0, 1}},
     pf8bit,
     {K, W, W, W, K, K, K, K, R, G, B, W}},
    // 5x1 RLE4: absolute 3 nibbles (1, 2, 3) padded to a word, then run of 2 alternating 4, 0.
    {"Rle4AbsoluteOddCountAndAlternatingRun",
     {40, 5, 1, 4, 2, 5, kRGBW, {}, {0, 3, 0x12, 0x30, 2, 0x40, 0, 1}},
     pf8bit,
     {R, G, B, W, K}},
    // Runs that reach into a row's padding, as common writers make them: clipped.
    {"Rle8RunIntoRowPadding", {40, 3, 1, 8, 1, 5, kRGBW, {}, {4, 4, 0, 1}}, pf8bit, {W, W, W}},
    {"Rle8AbsoluteIntoRowPadding",
     {40, 3, 1, 8, 1, 5, kRGBW, {}, {0, 4, 1, 2, 3, 4, 0, 1}},
     pf8bit,
     {R, G, B}},
    {"Rle4RunIntoRowPadding",
     {40, 5, 1, 4, 2, 5, kRGBW, {}, {8, 0x12, 0, 1}},
     pf8bit,
     {R, G, R, G, R}},
    {"Bitfields565",
     {40, 4, 1, 16, 3, 0, {}, {0xF800, 0x07E0, 0x001F}, {0, 0xF8, 0xE0, 0x07, 0x1F, 0, 0x10, 0x84}},
     pf24bit,
     {R, G, B, 0x848284}},
    {"Rgb555Default", {40, 2, 1, 16, 0, 0, {}, {}, {0x00, 0x7C, 0xFF, 0x7F}}, pf24bit, {R, W}},
    {"Os2CoreHeader", {12, 2, 1, 8, 0, 0, {G, B}, {}, {1, 0, 0, 0}}, pf8bit, {B, G}},
    {"TopDown", {40, 1, -2, 24, 0, 0, {}, {}, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0}}, pf24bit, {R, G}},
    {"BottomUp", {40, 1, 2, 24, 0, 0, {}, {}, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0}}, pf24bit, {G, R}},
    {"TwoBitBecomes24", {40, 3, 1, 2, 0, 0, {K, R, G, B}, {}, {0x1B, 0, 0, 0}}, pf24bit, {K, R, G}},
    {"OneBitBecomesEightBit", {40, 3, 1, 1, 0, 0, {B, W}, {}, {0xA0, 0, 0, 0}}, pf8bit, {W, B, W}},
    {"ThirtyTwoBitBecomes24", {40, 1, 1, 32, 0, 0, {}, {}, {0xFF, 0, 0, 0x80}}, pf24bit, {B}},
    // The table is cut to two entries by the pixel offset although the header claims 256.
    {"ShortPalette", {40, 2, 1, 8, 0, 0, {R, G}, {}, {1, 0, 0, 0}}, pf8bit, {G, R}},
    // The pixel offset leaves a gap after the table.
    {"GapBeforePixels", {40, 1, 1, 24, 0, 0, {}, {}, {0xFF, 0, 0, 0}, 6}, pf24bit, {B}},
};

INSTANTIATE_TEST_SUITE_P(Cases, BmpRead, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// A palette BMP of width 37 from a common tool: its runs cover the row padding.
TEST(BmpRead, RunLengthFileOfACommonWriterMatchesItsReference) {
  std::string dir = std::string(LUMARTE_TEST_DATA) + "/bmp/rle8-width37-padding-runs";
  TRevedBitmap b = LoadBytes(lumarte::testing::ReadFileBytes(dir + ".bmp"));
  std::string ppm = lumarte::testing::ReadFileBytes(dir + ".ppm");
  const std::string header = "P6\n37 20\n255\n";
  ASSERT_EQ(ppm.compare(0, header.size(), header), 0);
  ASSERT_EQ(b.Width, 37);
  ASSERT_EQ(b.Height, 20);
  const auto* rgb = reinterpret_cast<const uint8_t*>(ppm.data() + header.size());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 37; ++x, rgb += 3)
      ASSERT_EQ(ColorAt(b, x, y), uint32_t(rgb[0] << 16 | rgb[1] << 8 | rgb[2])) << x << "," << y;
}

// ---- hostile input ----

struct TBadCase {
  const char* Name;
  TBmpLayout Layout;
  const char* Message;
};

class BmpBad : public ::testing::TestWithParam<TBadCase> {};

TEST_P(BmpBad, RaisesAndLeavesBufferEmpty) {
  std::string bytes = BuildBmp(GetParam().Layout);
  TMemoryStream s(bytes.data(), bytes.size());
  TRevedBitmap b;
  b.New(2, 2, pf24bit);
  EXPECT_EQ(Message([&] { b.LoadFromStream(s, "bmp"); }), GetParam().Message);
  EXPECT_FALSE(b.Present);
}

const TBadCase kBadCases[] = {
    {"Rle8RunPastRowEnd", {40, 4, 1, 8, 1, 2, {K, W}, {}, {5, 1, 0, 1}}, "Error in bitmap data"},
    {"Rle8AbsolutePastRowPadding",
     {40, 2, 1, 8, 1, 2, {K, W}, {}, {0, 5, 1, 1, 1, 1, 1, 0, 0, 1}},
     "Error in bitmap data"},
    {"Rle8DeltaOutOfImage",
     {40, 4, 2, 8, 1, 2, {K, W}, {}, {0, 2, 0, 3, 1, 1}},
     "Error in bitmap data"},
    {"Rle8IndexPastPalette", {40, 4, 1, 8, 1, 2, {K, W}, {}, {4, 2, 0, 1}}, "Error in bitmap data"},
    {"Rle4IndexPastPalette",
     {40, 2, 1, 4, 2, 2, {K, W}, {}, {2, 0x12, 0, 1}},
     "Error in bitmap data"},
    {"IndexPastPalette", {40, 2, 1, 8, 0, 2, {K, W}, {}, {0, 2, 0, 0}}, "Error in bitmap data"},
    {"Rle8Truncated", {40, 4, 1, 8, 1, 2, {K, W}, {}, {4}}, "Read less than expected"},
    {"PixelsTruncated", {40, 4, 4, 24, 0, 0, {}, {}, {1, 2, 3}}, "Read less than expected"},
    {"NoPixels", {40, 1, 1, 8, 0, 2, {K, W}, {}, {}}, "Read less than expected"},
    {"WidthTooLarge", {40, 70000, 1, 24, 0, 0, {}, {}, {}}, "Invalid bitmap size"},
    {"TooManyPixels", {40, 40000, 40000, 8, 1, 0, {}, {}, {0, 1}}, "Invalid bitmap size"},
    {"HeightZero", {40, 1, 0, 24, 0, 0, {}, {}, {}}, "Invalid bitmap size"},
    {"WidthNegative", {40, -5, 1, 24, 0, 0, {}, {}, {}}, "Invalid bitmap size"},
    {"BitmapArraySignature",
     {40, 1, 1, 24, 0, 0, {}, {}, {0, 0, 0, 0}, 0, "BA"},
     "Unsupported file format"},
    {"HeaderSize66", {66, 1, 1, 24, 0, 0, {}, {}, {0, 0, 0, 0}}, "Unsupported bitmap format"},
    {"Depth64", {40, 1, 1, 64, 0, 0, {}, {}, {}}, "Unsupported bitmap format"},
    {"Rle8On4BitImage", {40, 1, 1, 4, 1, 0, {}, {}, {}}, "Unsupported bitmap format"},
    {"EmbeddedJpeg", {40, 1, 1, 0, 4, 0, {}, {}, {}}, "Unsupported bitmap format"},
    {"SplitMask",
     {40, 1, 1, 16, 3, 0, {}, {0xF00F, 0x0F00, 0x00F0}, {0, 0, 0, 0}},
     "Unsupported bitmap format"},
    {"Rle8TopDown", {40, 1, -1, 8, 1, 2, {K, W}, {}, {0, 1}}, "Unsupported bitmap format"},
    {"MoreColoursThanDepth",
     {40, 1, 1, 1, 0, 3, {K, W, R}, {}, {0, 0, 0, 0}},
     "Error in bitmap data"},
    {"OffsetInsideHeader", {40, 1, 1, 24, 0, 0, {}, {}, {0, 0, 0, 0}, -10}, "Error in bitmap data"},
};

INSTANTIATE_TEST_SUITE_P(Cases, BmpBad, ::testing::ValuesIn(kBadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

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
