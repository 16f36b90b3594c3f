// What the records add to the bitmap decoder: AlphaBlend's alpha, tables of
// palette indices, embedded JPEG, old 16-bit bitmap objects and the player's
// limits. The decoder's own cases run in DIBDecodeTest.cpp.
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

constexpr uint32_t R = 0xFFFF0000, B = 0xFF0000FF, K = 0xFF000000, W = 0xFFFFFFFF;

std::string Raw(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

// AlphaBlend's sources keep their alpha, premultiplied as they are stored;
// other records draw the same pixels opaque.
struct TAlphaCase {
  const char* Name;
  std::string Info, Bits;
  uint32_t Pixel;
};

class MetafileAlphaDib : public ::testing::TestWithParam<TAlphaCase> {};

TEST_P(MetafileAlphaDib, KeepsAlphaOnlyForAlphaBlend) {
  const TAlphaCase& c = GetParam();
  auto img = DecodeAlphaDIB(Bytes(c.Info), c.Info.size(), Bytes(c.Bits), c.Bits.size());
  ASSERT_TRUE(img);
  EXPECT_TRUE(img->Premultiplied);
  EXPECT_EQ(img->Pixels[0], c.Pixel);
  auto opaque = DecodeDIB(Bytes(c.Info), c.Info.size(), Bytes(c.Bits), c.Bits.size(), false);
  EXPECT_EQ(opaque->Pixels[0], c.Pixel | 0xFF000000);
}

std::string Masks(std::initializer_list<uint32_t> masks) {
  std::string s;
  for (uint32_t m : masks) PutLE(s, m, 4);
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Depths, MetafileAlphaDib,
    ::testing::Values(
        TAlphaCase{"FourthByte", DibInfo(1, 1, 32), Raw({10, 20, 30, 40}), 0x281E140Au},
        // 4-4-4-4 masks scale each channel to eight bits.
        TAlphaCase{"AlphaMask", DibInfo(1, 1, 16, 6) + Masks({0x0F00, 0x00F0, 0x000F, 0xF000}),
                   Raw({0x21, 0x84, 0, 0}), 0x88442211u}),
    [](const auto& info) { return std::string(info.param.Name); });

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

// What only a record can get wrong: its own block sizes and the player's limits.
INSTANTIATE_TEST_SUITE_P(
    Headers, MetafileBadDib,
    ::testing::Values(
        TBadDib{"NoHeader", "", "", "header missing"},
        TBadDib{"HeaderCut", DibInfo(1, 1, 24).substr(0, 30), "", "header cut short"},
        TBadDib{"LargerThanAPlayerTakes", DibInfo(16384, 8192, 1), "", "too large"},
        TBadDib{"RunLengthBomb", DibInfo(8000, 8000, 8, 1), Raw({0, 1}),
                "run-length bitmap larger than its data can describe"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
