#include "imaging/ColorReduction.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "CodecTestUtil.h"

using namespace lumarte::imaging;

namespace {

using lumarte::testing::Picture24;
using lumarte::testing::PixelOf;

// A scattered colour for index i, distinct for every i below 2^24.
uint32_t Scatter(uint32_t i) {
  return (i * 0x9E3779B1u) & 0xFFFFFF;
}

void ExpectPaletteTailBlack(const TRevedBitmap& b, int used) {
  for (int i = used; i < 256; ++i)
    for (int c = 0; c < 3; ++c) ASSERT_EQ((*b.Palette)[3 * i + c], 0) << "entry " << i;
}

void ExpectIndicesBelow(const TRevedBitmap& b, int used) {
  for (int32_t i = 0; i < b.Size; ++i) ASSERT_LT(b.Map[i], used);
}

class ExactColors : public ::testing::TestWithParam<int> {};

TEST_P(ExactColors, ImageWithAtMostMaxColorsKeepsThemExactly) {
  const int maxColors = GetParam();
  // Exactly maxColors colours, each used at least once, odd width.
  TRevedBitmap src =
      Picture24(37, 29, [&](int x, int y) { return Scatter((x * 7 + y * 13) % maxColors); });
  int used = -1;
  TRevedBitmap out = ReduceColors(src, {maxColors, true}, &used);
  ASSERT_EQ(out.PixelFormat, pf8bit);
  EXPECT_EQ(used, maxColors);
  ExpectIndicesBelow(out, used);
  ExpectPaletteTailBlack(out, used);
  for (int y = 0; y < src.Height; ++y)
    for (int x = 0; x < src.Width; ++x) ASSERT_EQ(PixelOf(out, x, y), PixelOf(src, x, y));
  // One colour more is quantised.
  src =
      Picture24(37, 29, [&](int x, int y) { return Scatter((x * 7 + y * 13) % (maxColors + 1)); });
  out = ReduceColors(src, {maxColors, false}, &used);
  EXPECT_LE(used, maxColors);
  EXPECT_GE(used, 2);
  ExpectIndicesBelow(out, used);
  ExpectPaletteTailBlack(out, used);
}

INSTANTIATE_TEST_SUITE_P(Depths, ExactColors, ::testing::Values(2, 16, 256, 7));

TEST(ColorReduction, PalettedImageWhoseIndicesFitIsKept) {
  TRevedBitmap src;
  src.New(9, 5, pf8bit);
  for (int i = 0; i < 256; ++i) (*src.Palette)[3 * i] = static_cast<uint8_t>(255 - i);
  for (int32_t i = 0; i < src.Size; ++i) src.Map[i] = static_cast<uint8_t>(i % 3 == 0 ? 0 : 11);
  int used = 0;
  TRevedBitmap out = ReduceColors(src, {16, false}, &used);
  EXPECT_EQ(used, 12);
  for (int32_t i = 0; i < src.Size; ++i) ASSERT_EQ(out.Map[i], src.Map[i]);
  for (int i = 0; i < 3 * 12; ++i) EXPECT_EQ((*out.Palette)[i], (*src.Palette)[i]);
  ExpectPaletteTailBlack(out, used);
}

// High indices, or several entries holding one colour, are packed to the front
// without changing any pixel's colour.
TEST(ColorReduction, PalettedImageIsRepackedByColor) {
  TRevedBitmap src;
  src.New(20, 3, pf8bit);
  for (int i = 0; i < 256; ++i)
    lumarte::testing::SetPaletteEntry(src, i, Scatter(i % 5));  // every fifth repeats a colour
  for (int32_t i = 0; i < src.Size; ++i) src.Map[i] = static_cast<uint8_t>(200 + i % 20);
  int used = 0;
  TRevedBitmap out = ReduceColors(src, {2 + 2, false}, &used);  // 5 colours do not fit 4
  ASSERT_LE(used, 4);
  out = ReduceColors(src, {8, false}, &used);
  EXPECT_EQ(used, 5);
  ExpectIndicesBelow(out, used);
  for (int y = 0; y < src.Height; ++y)
    for (int x = 0; x < src.Width; ++x) ASSERT_EQ(PixelOf(out, x, y), PixelOf(src, x, y));
}

// Two noisy clusters reduced to two colours: each pixel lands in its cluster.
TEST(ColorReduction, ClustersGetOneEntryEach) {
  auto noisy = [](int x, int y, uint32_t base) {
    uint32_t n = Scatter(x * 31 + y) % 9;  // 0..8 added to every channel
    return base + (n << 16) + (n << 8) + n;
  };
  TRevedBitmap src = Picture24(
      40, 40, [&](int x, int y) { return x < 25 ? noisy(x, y, 0x1010C0) : noisy(x, y, 0xC01010); });
  int used = 0;
  TRevedBitmap out = ReduceColors(src, {2, false}, &used);
  ASSERT_EQ(used, 2);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      uint32_t c = PixelOf(out, x, y);
      bool reddish = (c & 0xFF) > (c >> 16);
      ASSERT_EQ(reddish, x < 25) << x << "," << y;
      ASSERT_LE(std::abs(int(c & 0xFF) - int(PixelOf(src, x, y) & 0xFF)), 10);
    }
}

// A smooth 24-bit image keeps close colours at 256 entries.
TEST(ColorReduction, GradientStaysClose) {
  TRevedBitmap src = Picture24(
      256, 64, [](int x, int y) { return uint32_t(x) << 16 | uint32_t(y * 4) << 8 | 0x40; });
  int used = 0;
  TRevedBitmap out = ReduceColors(src, {256, false}, &used);
  EXPECT_GT(used, 128);
  double total = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x) {
      uint32_t a = PixelOf(src, x, y), b = PixelOf(out, x, y);
      for (int s = 0; s < 24; s += 8)
        total += std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF));
    }
  EXPECT_LT(total / (256 * 64 * 3), 3.0);
}

// Average grey of a 16x16 block of the reduced image against the source.
double BlockError(const TRevedBitmap& src, const TRevedBitmap& out, int bx) {
  double s = 0, o = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = bx; x < bx + 16; ++x)
      s += PixelOf(src, x, y) & 0xFF, o += PixelOf(out, x, y) & 0xFF;
  return std::abs(s - o) / 256;
}

TEST(ColorReduction, DitheringKeepsLocalAverages) {
  TRevedBitmap src = Picture24(256, 16, [](int x, int) { return 0x010101u * uint32_t(x); });
  TRevedBitmap plain = ReduceColors(src, {2, false});
  TRevedBitmap dithered = ReduceColors(src, {2, true});
  int lo = std::min((*dithered.Palette)[0], (*dithered.Palette)[3]);
  int hi = std::max((*dithered.Palette)[0], (*dithered.Palette)[3]);
  double plainWorst = 0, ditherWorst = 0;
  // Only blocks whose average the two entries can mix are comparable.
  for (int bx = lo; bx + 16 <= hi; bx += 16) {
    plainWorst = std::max(plainWorst, BlockError(src, plain, bx));
    ditherWorst = std::max(ditherWorst, BlockError(src, dithered, bx));
  }
  EXPECT_GT(plainWorst, 30);
  EXPECT_LT(ditherWorst, 12);
}

TEST(ColorReduction, EmptySourceGivesEmptyResult) {
  int used = -1;
  TRevedBitmap out = ReduceColors(TRevedBitmap(), {}, &used);
  EXPECT_FALSE(out.Present);
  EXPECT_EQ(used, 0);
}

int Dist2(uint32_t a, uint32_t b) {
  int d = 0;
  for (int s = 0; s < 24; s += 8) {
    int x = int((a >> s) & 0xFF) - int((b >> s) & 0xFF);
    d += x * x;
  }
  return d;
}

// Without dithering every pixel takes the nearest entry of the palette made.
TEST(ColorReduction, UnditheredPixelsTakeNearestEntry) {
  TRevedBitmap src = Picture24(97, 61, [](int x, int y) { return Scatter(x * 1000 + y); });
  int used = 0;
  TRevedBitmap out = ReduceColors(src, {64, false}, &used);
  ASSERT_EQ(used, 64);
  for (int y = 0; y < src.Height; ++y)
    for (int x = 0; x < src.Width; ++x) {
      uint32_t want = PixelOf(src, x, y);
      int got = Dist2(PixelOf(out, x, y), want);
      for (int i = 0; i < used; ++i) {
        const uint8_t* e = &(*out.Palette)[3 * i];
        ASSERT_LE(got, Dist2(e[2] | e[1] << 8 | e[0] << 16, want)) << x << "," << y;
      }
    }
}

}  // namespace
