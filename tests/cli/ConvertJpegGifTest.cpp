// lumarte-cli convert to JPEG (--quality, --progressive) and GIF
// (--transparent, colour reduction).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/cli/Commands.h"
#include "cli/CliFixture.h"
#include "imaging/GIFLoader.h"
#include "imaging/RevedBitmap.h"

using namespace lumarte;
using namespace lumarte::imaging;
namespace fs = std::filesystem;

namespace {

class ConvertJpegGif : public Cli {
 protected:
  void SetUp() override {
    Cli::SetUp();
    // 64x64 with 4096 colours, saved as BMP to convert from.
    TRevedBitmap b;
    b.New(64, 64, pf24bit);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        uint8_t* p = b.ScanLine(y) + 3 * x;
        p[0] = static_cast<uint8_t>(x * 4);
        p[1] = static_cast<uint8_t>(y * 4);
        p[2] = static_cast<uint8_t>((x ^ y) * 4);
      }
    b.SaveToFile(Path("in.bmp"));
  }
  std::string Bytes(const std::string& name) const { return FileBytes(name); }
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
  EXPECT_EQ(FrameAndFirstStep(Bytes("plain.jpg")), (std::pair{0xC0, 3}));  // quality 90
  ASSERT_EQ(Run({"convert", Path("in.bmp"), Path("q40.JPEG"), "--quality", "40", "--progressive"}),
            0);
  EXPECT_EQ(FrameAndFirstStep(Bytes("q40.JPEG")), (std::pair{0xC2, 20}));
  TRevedBitmap back;
  back.LoadFromFile(Path("q40.JPEG"));
  EXPECT_EQ(back.Width, 64);
}

TEST_F(ConvertJpegGif, GifReducesManyColours) {
  ASSERT_EQ(Run({"convert", Path("in.bmp"), Path("out.gif")}), 0) << Err;
  TFileStream in(Path("out.gif"), fmRead | fmShareRead);
  TGIFImage gif;
  gif.LoadFromStream(in);
  EXPECT_EQ(gif.ScreenWidth, 64);
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
