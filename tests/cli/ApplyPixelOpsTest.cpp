// lumarte-cli apply with the direct menu commands: same pixels as the model,
// a turned image, a command with nothing to do, and the RGB split's channel.
#include "CliFixture.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

class ApplyPixelOps : public Cli {
 protected:
  void SetUp() override {
    Cli::SetUp();
    TBitmap b(5, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) b.SetPixel(x, y, RGBColor(40 * x, 60 * y, 10 + x + y));
    Source = b;
    WriteRaster("in.bmp", b);
  }

  int Apply(std::vector<std::string> args) {
    args.insert(args.begin(), {"apply", Path("in.bmp"), Path("out.bmp")});
    return Run(args);
  }
  TBitmap Result() const { return ReadRaster("out.bmp"); }

  TBitmap Source;
};

}  // namespace

TEST_F(ApplyPixelOps, FlipVerticalInsideARectangle) {
  ASSERT_EQ(Apply({"flip-vertical", "--select", "rect:1,0,3,2"}), 0);
  TBitmap out = Result();
  EXPECT_EQ(out.Pixel(1, 1), Source.Pixel(3, 1));
  EXPECT_EQ(out.Pixel(2, 2), Source.Pixel(2, 2));
  EXPECT_EQ(out.Pixel(0, 1), Source.Pixel(0, 1));
  EXPECT_EQ(out.Pixel(4, 0), Source.Pixel(4, 0));
}

TEST_F(ApplyPixelOps, RotateTurnsOrLeavesTheImage) {
  ASSERT_EQ(Apply({"rotate-all-90-left"}), 0);
  TBitmap out = Result();
  ASSERT_EQ(out.Width(), 3);
  ASSERT_EQ(out.Height(), 5);
  EXPECT_EQ(out.Pixel(0, 0), Source.Pixel(4, 0));
  // SelRight = SelLeft: nothing happens, the image is written as it came.
  ASSERT_EQ(Apply({"rotate-all-90-left", "--select", "rect:2,0,2,2"}), 0);
  EXPECT_EQ(Result(), Source);
}

TEST_F(ApplyPixelOps, SplitGivesTheChosenChannel) {
  ASSERT_EQ(Apply({"split-colors-rgb-of-the-image-into-3-images", "channel=blue"}), 0);
  EXPECT_EQ(Result().Pixel(3, 2), RGBColor(0, 0, 15));
  EXPECT_EQ(Apply({"split-colors-rgb-of-the-image-into-3-images", "channel=alpha"}), 2);
  EXPECT_NE(Err.find("Invalid value \"alpha\" for channel"), std::string::npos) << Err;
}
