// The JPEG 2000 plug-in built beside the program, reached the way the program
// reaches it: a scan of the program folder and the codec registry.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "CodecTestUtil.h"
#include "imaging/ImageDLLLoader.h"
#include "imaging/JPEG2000Options.h"
#include "support/ErrorMessage.h"

using namespace lumarte;
using namespace lumarte::imaging;
using namespace lumarte::testing;
using namespace std::string_literals;

namespace {

class Jpeg2000Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PluginsScanned());
    ImageDLLLoader().Options.clear();
  }
  void TearDown() override { ImageDLLLoader().Options.clear(); }
  lumarte::fixtures::TempFolder Temp;
  std::string Dir = Temp.Path.string();
};

// A smooth picture with a little grain: what lossy compression is meant for.
TRevedBitmap GradientImage(int w, int h) {
  TRevedBitmap bmp;
  bmp.New(w, h, pf24bit);
  std::minstd_rand random(7);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t grain = random() % 8;
      SetPixel(bmp, x, y, (x * 2 + grain) | (y * 2 + grain) << 8 | (0x40 + grain) << 16);
    }
  return bmp;
}

// Saving by extension is shown by the round trips.
TEST_F(Jpeg2000Test, ThePluginReadsItsExtensions) {
  // No built-in codec takes "JP"; the library's substring test does.
  for (const char* ext : {"jp2", "JPC", "j2k", "j2c", "JP"})
    EXPECT_EQ(&BitmapLoaders().FindLoader(ext), &ImageDLLLoader()) << ext;
  EXPECT_NE(BitmapLoaders().CombinedLoadFilter().find("*.jp2"), std::string::npos);
}

struct TRoundTripCase {
  const char* Ext;
  int Width, Height;
  TPixelFormat Format;
  bool GreyPalette;
};

class Jpeg2000Lossless : public Jpeg2000Test,
                         public ::testing::WithParamInterface<TRoundTripCase> {};

TEST_P(Jpeg2000Lossless, RoundTripIsExact) {
  const auto& c = GetParam();
  TRevedBitmap image = NoisePicture(c.Width, c.Height, c.Format, c.Width * 31 + c.Height);
  if (c.GreyPalette) *image.Palette = DefaultPalette();
  const std::string file = Dir + "/image." + c.Ext;
  image.SaveToFile(file);
  // The container follows the extension: a JP2 signature box or a bare codestream.
  const std::string magic = c.Ext == "jp2"s ? "\0\0\0\x0cjP  \r\n\x87\n"s : "\xFF\x4F\xFF\x51"s;
  EXPECT_EQ(ReadFileBytes(file).substr(0, magic.size()), magic);
  TRevedBitmap back;
  back.LoadFromFile(file);
  ASSERT_EQ(back.Width, c.Width);
  ASSERT_EQ(back.Height, c.Height);
  // Grey comes back as one plane, every other image as colour.
  EXPECT_EQ(back.PixelFormat, c.Format == pf8bit && c.GreyPalette ? pf8bit : pf24bit);
  EXPECT_EQ(ToRgb(back), ToRgb(image));
}

INSTANTIATE_TEST_SUITE_P(Images, Jpeg2000Lossless,
                         ::testing::Values(TRoundTripCase{"jp2", 64, 48, pf24bit, false},
                                           TRoundTripCase{"jpc", 37, 19, pf24bit, false},
                                           TRoundTripCase{"j2k", 1, 1, pf24bit, false},
                                           TRoundTripCase{"jp2", 3, 5, pf8bit, true},
                                           TRoundTripCase{"jpc", 200, 3, pf8bit, true},
                                           TRoundTripCase{"jp2", 17, 33, pf8bit, false}));

// The preview is the file the options give, read back.
TEST_F(Jpeg2000Test, LossyRateBoundsTheFileSizeAndThePreviewShowsIt) {
  TRevedBitmap image = GradientImage(128, 128);
  const std::string lossless = Dir + "/lossless.jp2", lossy = Dir + "/lossy.jp2";
  image.SaveToFile(lossless);
  ImageDLLLoader().Options = Jpeg2000OptionsText(true, 50);
  image.SaveToFile(lossy);
  const size_t lossySize = ReadFileBytes(lossy).size();
  EXPECT_LE(lossySize, 128 * 128 * 3 / 20 + 200);  // 5 % plus the file's boxes
  EXPECT_LT(lossySize, ReadFileBytes(lossless).size());
  TRevedBitmap back;
  back.LoadFromFile(lossy);
  ASSERT_EQ(back.Width, 128);
  int64_t error = 0;
  for (int i = 0; i < image.Size; ++i) error += std::abs(int(back.Map[i]) - int(image.Map[i]));
  EXPECT_LT(double(error) / image.Size, 6.0);
  TJpeg2000Preview preview = MakeJpeg2000Preview(image, ImageDLLLoader());
  EXPECT_EQ(preview.FileSize, int64_t(lossySize));
  EXPECT_EQ(ToRgb(preview.Image), ToRgb(back));
  // Even rate 0 stays lossy: the smallest file, not a lossless one.
  ImageDLLLoader().Options = Jpeg2000OptionsText(true, 0);
  image.SaveToFile(lossy);
  EXPECT_LT(ReadFileBytes(lossy).size(), lossySize);
}

// The OpenJPEG we run with aborts the process on damaged high-throughput
// code-blocks, so files that ask for them are refused before decoding.
TEST_F(Jpeg2000Test, HighThroughputBlocksAreRefusedNotDecoded) {
  TRevedBitmap image = NoisePicture(8, 8, pf24bit, 3);
  for (const char* ext : {"jpc", "jp2"}) {
    const std::string file = Dir + "/ht." + ext;
    image.SaveToFile(file);
    std::string bytes = ReadFileBytes(file);
    const size_t cod = bytes.find("\xFF\x52");
    ASSERT_NE(cod, std::string::npos);
    bytes[cod + 12] = static_cast<char>(bytes[cod + 12] | 0x40);  // code-block style
    std::ofstream(file, std::ios::binary) << bytes;
    TRevedBitmap back;
    EXPECT_EQ(Message([&] { back.LoadFromFile(file); }), "Unsupported pixel format") << ext;
    EXPECT_FALSE(back.Present);
  }
}

TEST_F(Jpeg2000Test, FailuresCarryThePluginMessages) {
  TRevedBitmap bmp;
  EXPECT_EQ(Message([&] { bmp.LoadFromFile(Dir + "/missing.jp2"); }), "Unable to open file");
  std::ofstream(Dir + "/noise.jp2") << "this is not a JPEG 2000 file";
  EXPECT_EQ(Message([&] { bmp.LoadFromFile(Dir + "/noise.jp2"); }), "Error in bitmap data");
  EXPECT_FALSE(bmp.Present);
  TRevedBitmap image = NoisePicture(4, 4, pf24bit, 2);
  EXPECT_EQ(
      Message([&] { ImageDLLLoader().SaveToFile(Dir + "/no-such-folder/a.jp2", "jp2", image); }),
      "Unable to open file");
}

}  // namespace
