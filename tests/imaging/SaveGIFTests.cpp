// SaveGIF: any picture becomes a single-frame GIF file, reduced to 256
// colours when it has more.
#include <gtest/gtest.h>

#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "CodecTestUtil.h"
#include "imaging/GIFLoader.h"

using namespace lumarte::imaging;

namespace {

class SaveGIFTest : public ::testing::Test {
 protected:
  lumarte::fixtures::TempFolder Temp;
  std::string Path = Temp.File("saved.gif");

  TGIFImage ReadBack() {
    TFileStream in(Path, fmRead | fmShareRead);
    TGIFImage img;
    img.LoadFromStream(in);
    return img;
  }
};

// colours distinct colours (up to 4096) in 4x4 blocks over a 256x256 picture.
TRevedBitmap Blocks(int colours) {
  return lumarte::testing::Picture24(256, 256, [&](int x, int y) {
    uint32_t c = (y / 4 * 64 + x / 4) % colours;
    return (c % 16 * 17) << 16 | (c / 16 % 16 * 17) << 8 | c / 256 * 17;
  });
}

double MeanError(const TRevedBitmap& a, const TRevedBitmap& b) {
  double sum = 0;
  for (int32_t i = 0; i < a.Size; ++i) sum += std::abs(a.Map[i] - b.Map[i]);
  return sum / a.Size;
}

TEST_F(SaveGIFTest, ManyColoursAreReducedAndWritten) {
  TRevedBitmap src = Blocks(4096);
  ASSERT_TRUE(SaveGIF(Path, src, false, false, 0));
  TGIFImage img = ReadBack();
  EXPECT_EQ(img.GlobalTable->Count, 256);
  TRevedBitmap back;
  img.Compose(0, back);
  ASSERT_EQ(back.Width, 256);
  EXPECT_GT(MeanError(src, back), 0.0);
  EXPECT_LT(MeanError(src, back), 12.0);
}

TEST_F(SaveGIFTest, FewColoursStayExactWithTransparencyAndInterlace) {
  TRevedBitmap src = Blocks(200);
  const uint8_t* corner = src.ScanLine(255);
  uint32_t colour = corner[2] | corner[1] << 8 | corner[0] << 16;
  ASSERT_TRUE(SaveGIF(Path, src, true, true, colour));
  TGIFImage img = ReadBack();
  EXPECT_TRUE(img.Frames[0].Interlaced);
  EXPECT_TRUE(img.HasTransparency());
  EXPECT_EQ(img.TransparentColor(), colour);
  img.Frames[0].TransparentIndex = -1;  // compare every pixel
  TRevedBitmap back;
  img.Compose(0, back);
  EXPECT_EQ(MeanError(src, back), 0.0);
}

TEST_F(SaveGIFTest, ReplacesAnOldFileAndKeepsItWhenTheFolderIsMissing) {
  { std::ofstream(Path) << "old"; }
  TRevedBitmap src = Blocks(3);
  ASSERT_TRUE(SaveGIF(Path, src, false, false, 0));
  EXPECT_EQ(ReadBack().ScreenWidth, 256);
  EXPECT_THROW(SaveGIF("/nonexistent-folder/x.gif", src, false, false, 0), lumarte::EInOutError);
}

}  // namespace
