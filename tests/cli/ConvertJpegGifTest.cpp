// lumarte-cli convert to JPEG (--quality, --progressive) and GIF
// (--transparent, colour reduction).
#include <gtest/gtest.h>

#include "cli/CliFixture.h"
#include "imaging/GIFLoader.h"
#include "imaging/RevedBitmap.h"
#include "support/TestPicture.h"

using namespace lumarte;
using namespace lumarte::imaging;

namespace {

class ConvertJpegGif : public Cli {
 protected:
  // 36 × 36 distinct colours, as BMP to convert from.
  void SetUp() override { fixtures::WritePicture(Path("in.bmp"), 36, 36); }
};

// The frame type (0xC0 baseline, 0xC2 progressive) and the first
// quantisation step, which follows from the quality.
std::pair<int, int> FrameAndFirstStep(const std::string& d) {
  int frame = 0, step = -1;
  for (size_t i = 2; i + 5 < d.size() && static_cast<uint8_t>(d[i]) == 0xFF;) {
    uint8_t code = static_cast<uint8_t>(d[i + 1]);
    if (code == 0xDB && step < 0) step = static_cast<uint8_t>(d[i + 5]);
    if (code == 0xC0 || code == 0xC2) frame = code;
    if (code == 0xDA) break;
    i += 2 + (static_cast<uint8_t>(d[i + 2]) << 8 | static_cast<uint8_t>(d[i + 3]));
  }
  return {frame, step};
}

TEST_F(ConvertJpegGif, JpegHonoursQualityAndProgressive) {
  ASSERT_EQ(Run({"convert", Path("in.bmp"), Path("plain.jpg")}), 0);
  EXPECT_EQ(FrameAndFirstStep(FileBytes("plain.jpg")), (std::pair{0xC0, 3}));  // quality 90
  ASSERT_EQ(Run({"convert", Path("in.bmp"), Path("q40.JPEG"), "--quality", "40", "--progressive"}),
            0);
  EXPECT_EQ(FrameAndFirstStep(FileBytes("q40.JPEG")), (std::pair{0xC2, 20}));
  TRevedBitmap back;
  back.LoadFromFile(Path("q40.JPEG"));
  EXPECT_EQ(back.Width, 36);
}

TEST_F(ConvertJpegGif, GifReducesManyColours) {
  ASSERT_EQ(Run({"convert", Path("in.bmp"), Path("out.gif")}), 0) << Err;
  TFileStream in(Path("out.gif"), fmRead | fmShareRead);
  TGIFImage gif;
  gif.LoadFromStream(in);
  EXPECT_EQ(gif.ScreenWidth, 36);
  EXPECT_EQ(gif.GlobalTable->Count, 256);
  EXPECT_FALSE(gif.HasTransparency());
}

TEST_F(ConvertJpegGif, GifMarksTheTransparentColour) {
  TRevedBitmap few;
  few.New(4, 4, pf24bit);
  few.Clear(0x0080FF);  // 0x00BBGGRR: red FF, green 80, blue 00
  few.ScanLine(0)[0] = 7;
  few.SaveToFile(Path("few.bmp"));
  ASSERT_EQ(Run({"convert", Path("few.bmp"), Path("few.gif"), "--transparent", "FF8000"}), 0)
      << Err;
  TFileStream in(Path("few.gif"), fmRead | fmShareRead);
  TGIFImage gif;
  gif.LoadFromStream(in);
  EXPECT_TRUE(gif.HasTransparency());
  EXPECT_EQ(gif.TransparentColor(), 0x0080FFu);
  EXPECT_EQ(gif.Frames[0].TransparentIndex, 1);  // second colour met in row order
}

}  // namespace
