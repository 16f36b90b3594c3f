// The bitmaps inside metafile records: every depth and coding the decoder
// takes, and the headers it refuses.
#include <gtest/gtest.h>

#include "imaging/Errors.h"
#include "imaging/metafile/MetafileDIB.h"
#include "support/MetafileBuilder.h"

using namespace lumarte;
using namespace lumarte::imaging;
using lumarte::testing::Bytes;
using lumarte::testing::DibInfo;
using lumarte::testing::PutLE;

namespace {

constexpr uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, K = 0xFF000000, W = 0xFFFFFFFF,
                   T = 0;  // T: left alone by a run-length bitmap

std::string Palette(std::initializer_list<uint32_t> argb) {
  std::string s;
  for (uint32_t c : argb) PutLE(s, c & 0xFFFFFF, 4);  // RGBQUAD: blue, green, red, 0
  return s;
}

std::string Raw(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

struct TDibCase {
  const char* Name;
  std::string Info;  // header and colour table
  std::string Bits;
  int Width, Height;
  std::vector<uint32_t> Pixels;  // top row first
};

class MetafileDib : public ::testing::TestWithParam<TDibCase> {};

TEST_P(MetafileDib, DecodesToTopDownArgb) {
  const TDibCase& c = GetParam();
  auto img = DecodeDIB(Bytes(c.Info), c.Info.size(), Bytes(c.Bits), c.Bits.size(), false);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->Width, c.Width);
  EXPECT_EQ(img->Height, c.Height);
  EXPECT_EQ(img->Pixels, c.Pixels);
  // The same bytes as one block decode alike.
  std::string packed = c.Info + c.Bits;
  auto again = DecodePackedDIB(Bytes(packed), packed.size(), false);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->Pixels, c.Pixels);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Depths, MetafileDib,
    ::testing::Values(
        TDibCase{"OneBit", DibInfo(3, 2, 1) + Palette({K, W}), Raw({0xA0, 0, 0, 0, 0x40, 0, 0, 0}),
                 3, 2, {K, W, K, W, K, W}},
        TDibCase{"FourBit", DibInfo(3, 1, 4, 0, 3) + Palette({R, G, B}), Raw({0x01, 0x20, 0, 0}),
                 3, 1, {R, G, B}},
        // A colour table shorter than the depth implies: missing entries are black.
        TDibCase{"EightBitShortTable", DibInfo(2, 1, 8, 0, 2) + Palette({W, R}), Raw({1, 7, 0, 0}),
                 2, 1, {R, K}},
        TDibCase{"SixteenBit555", DibInfo(2, 1, 16), Raw({0x00, 0x7C, 0x1F, 0x00}), 2, 1, {R, B}},
        TDibCase{"SixteenBit565Masks",
                 DibInfo(2, 1, 16, 3) + Raw({0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}),
                 Raw({0xE0, 0x07, 0x00, 0xF8}), 2, 1, {G, R}},
        TDibCase{"TwentyFourBitPadded", DibInfo(1, 2, 24), Raw({0, 0, 255, 0, 255, 0, 0, 0}),
                 1, 2, {B, R}},
        TDibCase{"ThirtyTwoBitIgnoresAlpha", DibInfo(2, 1, 32), Raw({255, 0, 0, 0, 0, 255, 0, 7}),
                 2, 1, {B, G}},
        TDibCase{"TopDown", DibInfo(1, -2, 24), Raw({0, 0, 255, 0, 255, 0, 0, 0}), 1, 2, {R, B}},
        // RLE8: a run of 3, end of line, a literal run of 3 (padded), end of
        // line, delta (1, 0), one pixel, end of bitmap.
        TDibCase{"RunLength8", DibInfo(4, 3, 8, 1, 3) + Palette({K, R, G}),
                 Raw({3, 1, 0, 0, 0, 3, 2, 0, 1, 0, 0, 0, 0, 2, 1, 0, 1, 2, 0, 1}),
                 4, 3, {T, G, T, T, G, K, R, T, R, R, R, T}},
        // RLE4: a run of 3 alternating 1 and 2, end of line, literal 2, 1, 2, end.
        TDibCase{"RunLength4", DibInfo(3, 2, 4, 2, 3) + Palette({K, R, G}),
                 Raw({3, 0x12, 0, 0, 0, 3, 0x21, 0x20, 0, 1}), 3, 2, {G, R, G, R, G, R}}),
    [](const auto& info) { return std::string(info.param.Name); });
// clang-format on

TEST(MetafileDib, AlphaBlendKeepsPremultipliedAlpha) {
  std::string info = DibInfo(1, 1, 32), bits = Raw({10, 20, 30, 40});
  auto img = DecodeAlphaDIB(Bytes(info), info.size(), Bytes(bits), bits.size());
  ASSERT_TRUE(img);
  EXPECT_TRUE(img->Premultiplied);
  EXPECT_EQ(img->Pixels[0], 0x281E140Au);
}

TEST(MetafileDib, PackedBlockWithShortTableFindsItsRows) {
  // 8 bits, no colours-used count, but a two-entry table: the rows take the
  // end of the block.
  std::string packed = DibInfo(2, 1, 8) + Palette({K, R}) + Raw({1, 0, 0, 0});
  EXPECT_EQ(DIBHeaderAndTableSize(Bytes(packed), packed.size(), false), 48u);
  auto img = DecodePackedDIB(Bytes(packed), packed.size(), false);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->Pixels, (std::vector<uint32_t>{R, K}));
}

TEST(MetafileDib, PaletteIndicesShowAsGrey) {
  std::string info = DibInfo(1, 1, 1, 0, 2) + Raw({0, 0, 0x80, 0});
  std::string bits = Raw({0x80, 0, 0, 0});
  auto img = DecodeDIB(Bytes(info), info.size(), Bytes(bits), bits.size(), true);
  EXPECT_EQ(img->Pixels[0], 0xFF808080u);
}

TEST(MetafileDib, EmbeddedJpegIsLeftOut) {
  std::string info = DibInfo(4, 4, 0, 4), bits = "\xFF\xD8";
  EXPECT_EQ(DecodeDIB(Bytes(info), info.size(), Bytes(bits), bits.size(), false), nullptr);
}

TEST(MetafileDib, OldBitmapObjects) {
  // Monochrome 3 x 2, rows two bytes wide, top row first.
  std::string mono = Raw({0, 0, 3, 0, 2, 0, 2, 0, 1, 1, 0xA0, 0, 0x40, 0});
  auto img = DecodeBitmap16(Bytes(mono), mono.size());
  ASSERT_TRUE(img);
  EXPECT_EQ(img->Pixels, (std::vector<uint32_t>{W, K, W, K, W, K}));
  // A writer that states padded rows but stores them unpadded.
  std::string tight = Raw({0, 0, 1, 0, 2, 0, 4, 0, 1, 24, 0, 0, 255, 255, 0, 0});
  img = DecodeBitmap16(Bytes(tight), tight.size());
  ASSERT_TRUE(img);
  EXPECT_EQ(img->Pixels, (std::vector<uint32_t>{R, B}));
}

struct TBadDib {
  const char* Name;
  std::string Info, Bits;
  const char* Message;
};

class MetafileBadDib : public ::testing::TestWithParam<TBadDib> {};

TEST_P(MetafileBadDib, Refused) {
  const TBadDib& c = GetParam();
  try {
    DecodeDIB(Bytes(c.Info), c.Info.size(), Bytes(c.Bits), c.Bits.size(), false);
    ADD_FAILURE() << "no exception";
  } catch (const EFormatError& e) {
    EXPECT_EQ(std::string(e.what()), std::string("Invalid bitmap in metafile: ") + c.Message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, MetafileBadDib,
    ::testing::Values(
        TBadDib{"NoHeader", "", "", "header missing"},
        TBadDib{"HeaderCut", DibInfo(1, 1, 24).substr(0, 30), "", "header cut short"},
        TBadDib{"UnknownHeaderSize", Raw({20, 0, 0, 0}) + std::string(16, '\0'), "",
                "unknown header size"},
        TBadDib{"ZeroWidth", DibInfo(0, 1, 24), "", "empty or negative size"},
        TBadDib{"TooLarge", DibInfo(65536, 65536, 1), "", "too large"},
        TBadDib{"OddDepth", DibInfo(1, 1, 7), std::string(4, '\0'), "unsupported bits per pixel"},
        TBadDib{"RunLengthOnWrongDepth", DibInfo(1, 1, 4, 1), std::string(4, '\0'),
                "run-length coding on the wrong depth"},
        TBadDib{"TopDownRunLength", DibInfo(1, -1, 8, 1), std::string(4, '\0'),
                "top-down run-length bitmap"},
        TBadDib{"RunLengthBomb", DibInfo(8000, 8000, 8, 1), Raw({0, 1}),
                "run-length bitmap larger than its data can describe"},
        TBadDib{"UnknownCompression", DibInfo(1, 1, 24, 9), std::string(4, '\0'),
                "unknown compression"},
        TBadDib{"MasksMissing", DibInfo(1, 1, 16, 3), std::string(4, '\0'), "colour masks missing"},
        TBadDib{"RowsMissing", DibInfo(4, 4, 24), std::string(47, '\0'), "pixel data missing"},
        TBadDib{"HugeColourTable", DibInfo(1, 1, 8, 0, 70000), std::string(4, '\0'),
                "colour table too large"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
