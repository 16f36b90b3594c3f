// Resize and the other transforms through `lumarte-cli apply`: the output
// file takes the new size and the model's pixels.
#include <gtest/gtest.h>

#include "cli/CliFixture.h"
#include "editor/model/RasterConversion.h"
#include "editor/model/Resample.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

class ApplyTransform : public Cli {
 protected:
  TBitmap Source() {
    TRevedBitmap b = MakeColour("in.bmp", 10, 6);
    TBitmap raster;
    AssignTo(b, raster);
    return raster;
  }
  TBitmap Read(const std::string& name) {
    TRevedBitmap b;
    b.LoadFromFile(Path(name));
    TBitmap raster;
    AssignTo(b, raster);
    return raster;
  }
};

}  // namespace

TEST_F(ApplyTransform, ResizeByPixelsAndPercent) {
  const TBitmap source = Source();
  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("half.bmp"), "resize", "widthpercent=50",
                 "heightpercent=50"}),
            0)
      << Err;
  TBitmap half = Read("half.bmp");
  ASSERT_EQ(half.Width(), 5);
  ASSERT_EQ(half.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(half.Pixel(x, y), source.Pixel(2 * x, 2 * y));

  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("big.bmp"), "resize", "width=23", "height=7"}), 0)
      << Err;
  EXPECT_EQ(Read("big.bmp"), ResampleNearest(source, 23, 7));

  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("same.bmp"), "resize"}), 0) << Err;
  EXPECT_EQ(Read("same.bmp"), source);
}

TEST_F(ApplyTransform, EveryTransformIsListed) {
  ASSERT_EQ(Run({"apply", "--list"}), 0);
  for (const char* name : {"rotate", "resize", "enlarge-canvas", "distortion", "pinch-punch"})
    EXPECT_NE(Out.find(std::string("\n") + name + "  "), std::string::npos) << name;
}

TEST_F(ApplyTransform, EnlargeCanvasGrowsTheFile) {
  const TBitmap source = Source();
  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("out.bmp"), "enlarge-canvas", "width=14",
                 "alignment=right", "vertical-alignment=middle", "height=9"}),
            0)
      << Err;
  TBitmap out = Read("out.bmp");
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
