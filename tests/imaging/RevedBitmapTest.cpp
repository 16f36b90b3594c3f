#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include <cstring>

#include "imaging/RevedBitmap.h"

using namespace lumarte;
using namespace lumarte::imaging;

namespace {

TRevedBitmap Numbered(int w, int h, TPixelFormat f) {
  TRevedBitmap b;
  b.New(w, h, f);
  for (int i = 0; i < b.Size; ++i) b.Map[i] = static_cast<uint8_t>(i + 1);
  return b;
}

}  // namespace

TEST(RevedBitmap, NewKeepsContentsOnlyForSameShape) {
  TRevedBitmap b = Numbered(3, 2, pf24bit);
  EXPECT_EQ(b.BytesPerLine, 9);
  EXPECT_EQ(b.Size, 18);
  EXPECT_FALSE(b.Palette);
  b.New(3, 2, pf24bit);
  EXPECT_EQ(b.Map[5], 6);
  b.New(3, 2, pf8bit);
  ASSERT_TRUE(b.Palette);
  EXPECT_EQ(b.BytesPerLine, 3);
  EXPECT_EQ(b.Map[5], 0);  // fresh blocks never carry stale bytes
  (*b.Palette)[0] = 99;
  b.New(4, 4, pf8bit);
  EXPECT_EQ((*b.Palette)[0], 99);  // an 8-bit palette survives
  b.New(4, 4, pf24bit);
  EXPECT_FALSE(b.Palette);
}

TEST(RevedBitmap, NewRefusesBadArguments) {
  TRevedBitmap b;
  EXPECT_EQ(Message([&] { b.New(0, 5, pf24bit); }), "Invalid bitmap size");
  EXPECT_EQ(Message([&] { b.New(5, 5, pfCustom); }), "Unsupported pixel format");
  EXPECT_EQ(Message([&] { b.New(100000, 100000, pf24bit); }), "Invalid bitmap size");
  EXPECT_FALSE(b.Present);
  EXPECT_EQ(b.PixelFormat, pfCustom);
}

TEST(RevedBitmap, ClearRules) {
  TRevedBitmap b;
  b.New(2, 2, pf8bit);
  b.Clear(0x0000FF00);  // pure green
  EXPECT_EQ(b.Map[3], 127);
  b.New(3, 1, pf24bit);
  b.Clear(0x00332211);
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(b.Map[3 * x], 0x33);
    EXPECT_EQ(b.Map[3 * x + 2], 0x11);
  }
  EXPECT_EQ(b.Map[9], 0);  // the spare byte stays untouched
}

TEST(RevedBitmap, IsGrayScale) {
  TRevedBitmap b;
  EXPECT_FALSE(b.IsGrayScale());
  b.New(2, 2, pf8bit);
  EXPECT_TRUE(b.IsGrayScale());
  (*b.Palette)[3 * 5] = (*b.Palette)[3 * 5 + 1] = (*b.Palette)[3 * 5 + 2] = 6;  // grey, not the ramp
  EXPECT_FALSE(b.IsGrayScale());
  b.New(2, 2, pf24bit);
  b.Clear(0x00404040);
  EXPECT_TRUE(b.IsGrayScale());
  b.Map[4] = 1;
  EXPECT_FALSE(b.IsGrayScale());
}

struct ResizeCase {
  int newW, newH, dx, dy;
  std::vector<int> expected;  // pixel values (1-based source index, 0 = fill) row by row
};

class ResizeCanvas : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(ResizeCanvas, PlacesOldPixels) {
  const auto& c = GetParam();
  TRevedBitmap b;
  b.New(4, 4, pf8bit);
  for (int i = 0; i < 16; ++i) b.Map[i] = static_cast<uint8_t>(i + 1);
  b.ResizeCanvas(c.newW, c.newH, c.dx, c.dy, 0);
  ASSERT_EQ(b.Width, c.newW);
  ASSERT_EQ(b.Height, c.newH);
  std::vector<int> got(b.Map.get(), b.Map.get() + b.Size);
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, ResizeCanvas,
    ::testing::Values(
        ResizeCase{6, 6, 1, 1, {0, 0, 0,  0,  0,  0, 0, 1,  2,  3,  4,  0, 0, 5,  6,  7,  8,  0,
                                0, 9, 10, 11, 12, 0, 0, 13, 14, 15, 16, 0, 0, 0,  0,  0,  0,  0}},
        ResizeCase{4, 4, -2, 0, {3, 4, 0, 0, 7, 8, 0, 0, 11, 12, 0, 0, 15, 16, 0, 0}},
        ResizeCase{2, 2, 0, -3, {13, 14, 0, 0}},
        ResizeCase{3, 3, 5, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0}}));

TEST(RevedBitmap, ResizeCanvasOfEmptyAndToNothing) {
  TRevedBitmap b;
  b.ResizeCanvas(2, 2, 0, 0, 0x00FFFFFF);
  EXPECT_EQ(b.PixelFormat, pf8bit);
  EXPECT_EQ(b.Map[0], 255);
  b.ResizeCanvas(0, 2, 0, 0, 0);
  EXPECT_FALSE(b.Present);
}

TEST(RevedBitmap, InterleavePlanes) {
  TRevedBitmap b;
  b.New(2, 1, pf24bit);
  const uint8_t planes[] = {1, 2, 10, 20, 100, 200, 7, 7};
  b.InterleavePlanes(planes, 4);
  EXPECT_EQ(std::vector<int>(b.Map.get(), b.Map.get() + 6),
            (std::vector<int>{1, 10, 100, 2, 20, 200}));
  b.InterleavePlanes(nullptr, 1);  // from its own block: reads a private copy
  EXPECT_EQ(b.Map[3], 10);
}

TEST(RevedBitmap, AssignCopiesPixelsAndPalette) {
  TRevedBitmap a = Numbered(3, 3, pf8bit);
  (*a.Palette)[7] = 42;
  TRevedBitmap b;
  b.Assign(a);
  EXPECT_EQ(std::memcmp(a.Map.get(), b.Map.get(), a.Size), 0);
  EXPECT_EQ((*b.Palette)[7], 42);
  b.Assign(TRevedBitmap());
  EXPECT_FALSE(b.Present);
}

TEST(GrayPalette, RampForFewerBits) {
  uint8_t pal[768] = {};
  MakeGrayPalette(pal, 4);
  EXPECT_EQ(pal[0], 0);
  EXPECT_EQ(pal[3], 85);
  EXPECT_EQ(pal[6], 170);
  EXPECT_EQ(pal[11], 255);
  EXPECT_EQ(DefaultPalette()[3 * 200 + 1], 200);
}

namespace {

// A codec that knows only its filter, to test the registry's rules.
class FilterOnly : public TBitmapLoader {
 public:
  explicit FilterOnly(std::string f) : Filter(std::move(f)) {}
  std::string GetLoadFilter() override { return Filter; }
  std::string Filter;
};

class ExactJpeg : public TBitmapLoader {
 public:
  bool CanLoad(const std::string& e) override { return ExtIn(e, {"JPG", "JPEG", "JPE"}); }
  std::string GetLoadFilter() override {
    return "JPEG encoded (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe";
  }
};

}  // namespace

TEST(Registry, ExactAndSubstringTests) {
  ExactJpeg jpeg;
  FilterOnly external("JPEG 2000 (*.jp2;*.jpc)|*.jp2;*.jpc");
  TBitmapLoaders reg;
  reg.Add(&jpeg);
  reg.Add(&external);
  EXPECT_EQ(&reg.FindLoader("jpe"), &jpeg);
  EXPECT_EQ(&reg.FindLoader("JP"), &external);  // a prefix of a listed pattern matches
  EXPECT_EQ(&reg.FindLoader("jpc"), &external);
  EXPECT_EQ(Message([&] { reg.FindLoader(""); }), "Unsupported file format");
  EXPECT_THROW(reg.FindSaver("bmp"), EUnsupportedFileFormat);
  EXPECT_EQ(Message([&] {
              TRevedBitmap b;
              external.LoadFromFile("x.jp2", "jp2", b);
            }),
            "Operation not supported");
}

TEST(Registry, CombinedLoadFilter) {
  FilterOnly gif("GIF Image (*.gif)|*.gif");
  FilterOnly empty("");
  FilterOnly ico("Windows icon (*.ico)|*.ico|Windows cursor (*.cur)|*.CUR|");
  TBitmapLoaders reg;
  reg.Add(&gif);
  reg.Add(&empty);
  reg.Add(&ico);
  EXPECT_EQ(reg.CombinedLoadFilter(),
            "*.gif;*.ico;*.cur|*.gif;*.ico;*.cur|GIF Image (*.gif)|*.gif|Windows icon "
            "(*.ico)|*.ico|Windows cursor (*.cur)|*.CUR|");
}

TEST(Registry, FileWithoutExtensionLeavesBufferEmpty) {
  TRevedBitmap b = Numbered(2, 2, pf24bit);
  EXPECT_EQ(Message([&] { b.LoadFromFile("/tmp/noextension"); }), "Unsupported file format");
  EXPECT_FALSE(b.Present);
  EXPECT_EQ(Message([&] { b.LoadFromFile(""); }), "No file name");
}
