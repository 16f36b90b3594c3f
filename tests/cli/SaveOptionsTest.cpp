// The save options of convert produce what they say: a PNG transparency
// chunk, JPEG 2000 lossless (exact) or at a rate (smaller).
#include <gtest/gtest.h>

#include <cstring>

#include "cli/CliFixture.h"
#include "imaging/ImageDLLLoader.h"

using namespace lumarte;
using namespace lumarte::imaging;

namespace {

TEST_F(Cli, PngTransparentNamesTheColourInItsTrnsChunk) {
  TRevedBitmap src = MakeColour("a.bmp", 5, 3);
  src.Map[0] = 0x56, src.Map[1] = 0x34, src.Map[2] = 0x12;  // blue, green, red
  src.SaveToFile(Path("a.bmp"));
  ASSERT_EQ(Run({"convert", Path("a.bmp"), Path("t.png"), "--transparent", "123456"}), 0) << Err;
  ASSERT_EQ(Run({"convert", Path("a.bmp"), Path("plain.png")}), 0) << Err;
  const std::string t = FileBytes("t.png");
  const size_t trns = t.find("tRNS");
  ASSERT_NE(trns, std::string::npos);
  EXPECT_EQ(t.substr(trns - 4, 14), std::string("\0\0\0\x06tRNS\0\x12\0\x34\0\x56", 14));
  EXPECT_EQ(FileBytes("plain.png").find("tRNS"), std::string::npos);
}

class Jpeg2000 : public Cli {
 protected:
  void SetUp() override {
    Cli::SetUp();
    static const bool scanned = ImageDLLLoader().ScanFolder(LUMARTE_BINARY_DIR);
    if (!scanned) GTEST_SKIP() << "no JPEG 2000 plug-in in " << LUMARTE_BINARY_DIR;
  }
};

TEST_F(Jpeg2000, LosslessRoundTripIsExactAndARateIsSmaller) {
  TRevedBitmap src;
  src.New(48, 32, pf24bit);
  for (int32_t i = 0; i < src.Size; ++i) src.Map[i] = static_cast<uint8_t>(i * 37 % 251);
  src.SaveToFile(Path("a.bmp"));
  ASSERT_EQ(Run({"convert", Path("a.bmp"), Path("exact.jp2"), "--lossless"}), 0) << Err;
  ASSERT_EQ(Run({"convert", Path("a.bmp"), Path("default.jp2")}), 0) << Err;
  ASSERT_EQ(Run({"convert", Path("a.bmp"), Path("small.jp2"), "--rate", "1.0"}), 0) << Err;
  ASSERT_EQ(Run({"convert", Path("exact.jp2"), Path("back.bmp")}), 0) << Err;
  TRevedBitmap back;
  back.LoadFromFile(Path("back.bmp"));
  ASSERT_EQ(back.Size, src.Size);
  EXPECT_EQ(std::memcmp(back.Map.get(), src.Map.get(), src.Size), 0);
  EXPECT_EQ(FileBytes("default.jp2"), FileBytes("exact.jp2"));
  EXPECT_LT(FileBytes("small.jp2").size() * 5, FileBytes("exact.jp2").size());
}

}  // namespace
