// Moving average, motion blur and sharpen: the effects behind the three
// filter dialogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

#include "base/Rounding.h"
#include "effects/model/EffectTable.h"
#include "effects/model/FilterEffects.h"
#include "support/EffectRun.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
using namespace lumarte::fixtures;
using std::numbers::pi;

namespace {

// The moving average as defined: every pixel of the disc read directly.
TBitmap DirectMovingAverage(const TBitmap& src, const TSelectionTest& sel, int r, bool high) {
  TBitmap out = src;
  const int w = src.Width(), h = src.Height();
  int dmin = 256, dmax = -256;
  std::vector<int> diff(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!sel.InSelection(x, y)) continue;
      for (int c = 0; c < 3; ++c) {
        int sum = 0, n = 0;
        for (int v = y - r; v <= y + r; ++v)
          for (int u = x - r; u <= x + r; ++u)
            if (u >= 0 && u < w && v >= 0 && v < h &&
                (u - x) * (u - x) + (v - y) * (v - y) <= r * r)
              sum += src.ScanLine(v)[3 * u + c], ++n;
        int avg = static_cast<int>(Round(static_cast<double>(sum) / n));
        out.ScanLine(y)[3 * x + c] = static_cast<uint8_t>(avg);
        int d = src.ScanLine(y)[3 * x + c] - avg;
        diff[(static_cast<size_t>(y) * w + x) * 3 + c] = d;
        dmin = std::min(dmin, d), dmax = std::max(dmax, d);
      }
    }
  if (!high) return out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!sel.InSelection(x, y)) continue;
      for (int c = 0; c < 3; ++c) {
        int d = diff[(static_cast<size_t>(y) * w + x) * 3 + c];
        int64_t k = dmax > dmin ? Round(256.0 / (dmax - dmin)) : 0;
        out.ScanLine(y)[3 * x + c] =
            dmax > dmin ? static_cast<uint8_t>(std::min<int64_t>(255, k * (d - dmin))) : 128;
      }
    }
  return out;
}

struct AverageCase {
  int w, h, width;
  bool high;
  int selKind;  // -1: nothing selected
};

class MovingAverageTest : public ::testing::TestWithParam<AverageCase> {};

}  // namespace

TEST_P(MovingAverageTest, EqualsDirectDefinition) {
  const AverageCase& c = GetParam();
  TBitmap src = RandomImage(c.w, c.h, static_cast<unsigned>(c.w * 31 + c.width));
  TSelectionClass sel;
  if (c.selKind == SelKind::Circle) sel = CircleSelection(c.w / 2, c.h / 2, std::min(c.w, c.h) / 3);
  if (c.selKind == SelKind::Rectangle) sel = RectSelection(1, 2, c.w - 3, c.h / 2);
  TSelectionTest test(sel, src, {});
  TBitmap out = RunEffect("moving-average-unsharpen-and-edge-detection", src,
                          {{"width", c.width}, {"mode", c.high ? 1 : 0}}, sel);
  EXPECT_EQ(out, DirectMovingAverage(src, test, c.width, c.high));
}

INSTANTIATE_TEST_SUITE_P(
    Random, MovingAverageTest,
    ::testing::Values(AverageCase{13, 9, 1, false, -1}, AverageCase{13, 9, 3, true, -1},
                      AverageCase{7, 20, 16, false, -1}, AverageCase{5, 3, 8, true, -1},
                      AverageCase{1, 6, 2, false, -1},
                      AverageCase{21, 17, 5, true, SelKind::Circle},
                      AverageCase{21, 17, 4, false, SelKind::Rectangle},
                      AverageCase{400, 340, 2, true, -1}));  // split over threads

// All differences equal would divide by zero: a flat mid grey instead.
TEST(MovingAverage, HighPassOfUniformImageIsMidGrey) {
  TBitmap out = RunEffect("moving-average-unsharpen-and-edge-detection",
                          Filled(6, 5, RGBColor(9, 9, 9)), {{"width", 3}, {"mode", 1}});
  EXPECT_EQ(out, Filled(6, 5, RGBColor(128, 128, 128)));
}

TEST(MotionBlur, TapsAlongTheDirection) {
  TFIRIIRFilter f = MotionBlurFilter(10, 0);
  std::vector<int> dx;
  for (const TTap& t : f.FIRTaps) {
    EXPECT_EQ(t.dy, 0);
    EXPECT_EQ(t.w, 1.0f);
    dx.push_back(t.dx);
  }
  EXPECT_EQ(dx, (std::vector<int>{0, 3, 2, 1, 0, -1, -2, -3, -4, -5, -6, -7}));
  EXPECT_EQ(f.Scale, 1.0f / 12);
  EXPECT_TRUE(f.IIRTaps.empty());

  // A row 0, 10, 20, ...: the pixel at x = 8 sees 2 * 80 + 110 + 100 + 90 + 70..10.
  TBitmap src(20, 1);
  for (int x = 0; x < 20; ++x) src.SetPixel(x, 0, RGBColor(10 * x, 0, 255));
  TBitmap out = RunEffect("motion-blur", src, {{"speed", 10}});
  EXPECT_EQ(out.Pixel(8, 0), RGBColor(Round((160 + 300 + 280) / 12.0), 0, 255));

  // Straight down the picture (pi/2): taps along the column.
  f = MotionBlurFilter(4, pi / 2);
  ASSERT_EQ(f.FIRTaps.size(), 6u);
  for (size_t i = 1; i < f.FIRTaps.size(); ++i) {
    EXPECT_EQ(f.FIRTaps[i].dx, 0);
    EXPECT_EQ(f.FIRTaps[i].dy, 1 - static_cast<int>(i - 1));
  }
  EXPECT_EQ(f.Scale, 1.0f / 6);
}

struct PickCase {
  int dx, dy;
  bool drag;
  double theta;  // < 0: no change
};

class DirectionPick : public ::testing::TestWithParam<PickCase> {};

TEST_P(DirectionPick, AngleRules) {
  const PickCase& c = GetParam();
  std::optional<double> t = DirectionFromPoint(c.dx, c.dy, c.drag);
  if (c.theta < 0) {
    EXPECT_FALSE(t.has_value());
  } else {
    ASSERT_TRUE(t.has_value());
    EXPECT_DOUBLE_EQ(*t, c.theta);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Quadrants, DirectionPick,
    ::testing::Values(PickCase{10, 10, false, pi / 4}, PickCase{-10, 10, false, pi - pi / 4},
                      PickCase{-10, -10, true, pi + pi / 4},
                      PickCase{10, -10, false, 2 * pi - pi / 4}, PickCase{-5, 0, false, pi},
                      PickCase{5, 0, false, 2 * pi}, PickCase{0, 7, false, -1},
                      PickCase{0, 7, true, pi / 2}, PickCase{0, -7, true, 3 * pi / 2},
                      PickCase{0, 0, true, -1}));

TEST(Sharpen, IntensityTenIsFiveTimesCentreMinusNeighbours) {
  TFIRIIRFilter f = SharpenFilter(10, false);
  EXPECT_EQ(f.Scale, 1.0f);
  ASSERT_EQ(f.FIRTaps.size(), 5u);
  EXPECT_EQ(f.FIRTaps[0].w, 5.0f);
  // One pass on a plus-shaped spot, by hand: twice, as the dialog runs it.
  TBitmap src = Filled(9, 9, RGBColor(60, 60, 60));
  src.SetPixel(4, 4, RGBColor(70, 60, 60));
  TBitmap out = RunEffect("sharpen", src, {{"intensity", 10}});
  // Pass 1: centre 5*70 - 240 = 110, its neighbours 5*60 - 190 = 50.
  // Pass 2: centre 5*110 - 200 = 350 -> 255; (5,4): 5*50 - 110 - 3*60 = -40 -> 0.
  EXPECT_EQ(out.Pixel(4, 4), RGBColor(255, 60, 60));
  EXPECT_EQ(out.Pixel(5, 4), RGBColor(0, 60, 60));
  // Uniform areas stay unchanged (two pixels from the border and the spot).
  EXPECT_EQ(out.Pixel(2, 2), RGBColor(60, 60, 60));
  EXPECT_EQ(out.Pixel(6, 6), RGBColor(60, 60, 60));
}

TEST(Sharpen, RecursiveAddsOutputTaps) {
  TFIRIIRFilter f = SharpenFilter(4, true);
  ASSERT_EQ(f.IIRTaps.size(), 5u);
  EXPECT_EQ(f.IIRTaps[0].dx, 0);
  EXPECT_EQ(f.IIRTaps[0].w, 10.0f);
  EXPECT_EQ(f.IIRTaps[1].dx, -2);
  EXPECT_EQ(f.Scale, 1.0f / 21);
  // The (0,0) output tap reads the sample's own partial sum; the others read
  // outputs already finished in this pass.
  f.InPlane.SetSize(3, 3);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 3; ++y) f.InPlane[x][y] = 21;
  f.Step();
  EXPECT_FLOAT_EQ(f.OutPlane[0][0], (9 * 21 + 10 * 9 * 21) / 21.0f);       // 99
  EXPECT_FLOAT_EQ(f.OutPlane[1][0], (8 * 21 + 10 * 8 * 21 - 99) / 21.0f);  // left done
  EXPECT_FLOAT_EQ(f.OutPlane[0][1], (8 * 21 + 10 * 8 * 21 - 99) / 21.0f);  // above done
  TBitmap src = RandomImage(8, 6, 4);
  EXPECT_NE(RunEffect("sharpen", src, {{"recursive-stronger-sharpening-but-color-changes", 1}}),
            RunEffect("sharpen", src, {}));
}
