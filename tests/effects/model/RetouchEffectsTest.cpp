#include <gtest/gtest.h>

#include <set>

#include "base/Random.h"
#include "effects/model/EffectTable.h"
#include "effects/model/RetouchEffects.h"
#include "support/EffectRun.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
using namespace lumarte::fixtures;

namespace {

int Red(const TBitmap& b, int x, int y) {
  return b.ScanLine(y)[3 * x + 2];
}

// The growing passes walked out pixel by pixel, without shortcuts.
std::vector<bool> NaiveMarks(const TBitmap& img) {
  const int w = img.Width(), h = img.Height();
  auto px = [&](int x, int y) { return img.ScanLine(y) + 3 * x; };
  auto spreads = [&](int x, int y) {
    const int b = px(x, y)[0], g = px(x, y)[1], r = px(x, y)[2];
    return (r > (3 * g) / 2 && b < r) || (3 * g + 4 * b < 3 * r && g < r && b < r && r > 25) ||
           (r > 4 * b && g > 2 * b && r > g - 5 && r > 25);
  };
  std::vector<bool> m(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int b = px(x, y)[0], g = px(x, y)[1], r = px(x, y)[2];
      m[y * w + x] = (3 * (g + b) < 2 * r && g > b + 5 && r > 120) ||
                     (r > 4 * b && g > b + 5 && r > 2 * g && r > 120 && b < 50);
    }
  for (int pass = 0; pass < 3; ++pass)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (!m[y * w + x]) continue;
        for (int c = y; c > 0 && spreads(x, c); --c) m[c * w + x] = true;
        for (int c = y; c < h - 1 && spreads(x, c); ++c) m[c * w + x] = true;
        for (int c = x; c > 0 && spreads(c, y); --c) m[y * w + c] = true;
        for (int c = x; c < w - 1 && spreads(c, y); ++c) m[y * w + c] = true;
      }
  return m;
}

}  // namespace

// Colours a face or a background has: no seed, nothing changes.
class RedEyeWithoutRed : public ::testing::TestWithParam<TColor> {};

TEST_P(RedEyeWithoutRed, LeavesTheImage) {
  TBitmap img = Filled(9, 7, GetParam());
  img.SetPixel(4, 3, RGBColor(200, 150, 120));
  EXPECT_EQ(RunEffect("red-eye-removal", img), img);
}

INSTANTIATE_TEST_SUITE_P(Colours, RedEyeWithoutRed,
                         ::testing::Values(RGBColor(128, 128, 128), RGBColor(230, 180, 150),
                                           RGBColor(20, 200, 30), RGBColor(0, 0, 0),
                                           RGBColor(255, 255, 255)));

// A lone pupil pixel in the corner: the red comes from the greater of green
// and blue less the generator's first draw below 28; blue stays.
TEST(RedEye, DesaturatesWithTheFirstDraw) {
  TBitmap img = Filled(3, 3, RGBColor(60, 60, 60));
  img.SetPixel(0, 0, RGBColor(220, 30, 20));
  TRandomGenerator g;
  g.Seed(1);
  const int u = static_cast<int>(g.Below(28));
  const int red = (8 * 30 + 220 - u) / 9;
  TBitmap out = RunEffect("red-eye-removal", img);
  EXPECT_EQ(out.Pixel(0, 0), RGBColor(red, (20 + 30 + red) / 3, 20));
  img.SetPixel(0, 0, out.Pixel(0, 0));
  EXPECT_EQ(out, img) << "the grey around is no pupil";

  img.SetPixel(0, 0, RGBColor(220, 30, 20));
  EXPECT_EQ(RunEffect("red-eye-removal", img, {}, RectSelection(1, 1, 2, 2)), img);
}

// The growing passes stop walks early where another walk covers the rest;
// the marks must be those of the plain walks.
TEST(RedEye, MarksEqualThePlainWalks) {
  TRandomGenerator g;
  g.Seed(3);
  for (int round = 0; round < 40; ++round) {
    const int w = 1 + static_cast<int>(g.Below(14)), h = 1 + static_cast<int>(g.Below(14));
    TBitmap img(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        img.SetPixel(x, y, RGBColor(100 + g.Below(156), g.Below(120), g.Below(80)));
    ASSERT_EQ(RedEyeMarks(img), NaiveMarks(img)) << "round " << round;
  }
}

// Far from the image's edge the shade is exactly 1; towards it, darker.
class ButtonizeBorder : public ::testing::TestWithParam<int> {};

TEST_P(ButtonizeBorder, DarkensOnlyNearTheImageEdge) {
  const int b = GetParam(), w = 40, h = 30;
  const TBitmap img = Filled(w, h, RGBColor(200, 150, 100));
  const TBitmap out = RunEffect("buttonize-posterize", img, {{"border-size", b}});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // The eight neighbours, the random points and the pixel before lie inside.
      const bool interior =
          x >= b + 1 && x <= std::min(w - 2, w - b) && y >= b && y <= std::min(h - 2, h - b);
      if (interior) {
        EXPECT_EQ(out.Pixel(x, y), img.Pixel(x, y)) << x << "," << y;
      } else {
        EXPECT_LE(Red(out, x, y), 200) << x << "," << y;
      }
    }
  EXPECT_LT(Red(out, 0, 0), 200);
  EXPECT_LT(Red(out, w - 1, h - 1), 200);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ButtonizeBorder, ::testing::Values(1, 5, 12));

struct PosterizeCase {
  int planes;
  std::set<int> levels;
};
class Posterize : public ::testing::TestWithParam<PosterizeCase> {};

TEST_P(Posterize, KeepsTheLevelsOfTheRemainingPlanes) {
  TBitmap img(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) img.SetPixel(x, y, RGBColor(x * 4, y * 4, (x + y) * 2));
  const TBitmap out =
      RunEffect("buttonize-posterize", img, {{"posterize", 1}, {"bitplanes", GetParam().planes}});
  std::set<int> seen;
  for (int y = 0; y < 64; ++y)
    for (int i = 0; i < 3 * 64; ++i) seen.insert(out.ScanLine(y)[i]);
  EXPECT_EQ(seen, GetParam().levels);
}

INSTANTIATE_TEST_SUITE_P(Planes, Posterize,
                         ::testing::Values(PosterizeCase{6, {0, 85, 170, 255}},
                                           PosterizeCase{7, {0, 255}}));

TEST(Buttonize, BorderSizeFollowsTheImage) {
  EXPECT_EQ(ButtonizeBorderSize(100, 100), 10);
  EXPECT_EQ(ButtonizeBorderSize(600, 330), 30);
  EXPECT_EQ(ButtonizeBorderSize(400, 350), 25);
}
