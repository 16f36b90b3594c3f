// Resize and the other transforms through `lumarte-cli apply`: the output
// file takes the new size and the model's pixels.
#include <gtest/gtest.h>

#include "cli/CliFixture.h"
#include "editor/model/Resample.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

class ApplyTransform : public Cli {
 protected:
  TBitmap Source() {
    MakeColour("in.bmp", 10, 6);
    return ReadRaster("in.bmp");
  }
};

}  // namespace

TEST_F(ApplyTransform, ResizeByPixelsAndPercent) {
  const TBitmap source = Source();
  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("half.bmp"), "resize", "widthpercent=50",
                 "heightpercent=50"}),
            0)
      << Err;
  TBitmap half = ReadRaster("half.bmp");
  ASSERT_EQ(half.Width(), 5);
  ASSERT_EQ(half.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(half.Pixel(x, y), source.Pixel(2 * x, 2 * y));

  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("big.bmp"), "resize", "width=23", "height=7"}), 0)
      << Err;
  EXPECT_EQ(ReadRaster("big.bmp"), ResampleNearest(source, 23, 7));

  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("same.bmp"), "resize"}), 0) << Err;
  EXPECT_EQ(ReadRaster("same.bmp"), source);
}

TEST_F(ApplyTransform, EnlargeCanvasGrowsTheFile) {
  const TBitmap source = Source();
  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("out.bmp"), "enlarge-canvas", "width=14",
                 "alignment=right", "vertical-alignment=middle", "height=9"}),
            0)
      << Err;
  TBitmap out = ReadRaster("out.bmp");
  ASSERT_EQ(out.Width(), 14);
  ASSERT_EQ(out.Height(), 9);
  EXPECT_EQ(out.Pixel(4, 1), source.Pixel(0, 0));  // offset (4, 3 div 2)
  EXPECT_EQ(out.Pixel(0, 0), clBlack);             // the background colour
}

TEST_F(ApplyTransform, ResizeRefusesAnEmptyResult) {
  Source();
  EXPECT_NE(Run({"apply", Path("in.bmp"), Path("out.bmp"), "resize", "widthpercent=1"}), 0);
  EXPECT_NE(Err.find("Resize needs a width and a height of at least 1"), std::string::npos) << Err;
}
