// The lighting effects: light and darkness with its fall-off functions,
// barriers, normalisation and dithering; segment crossing; the text form of
// sources and barriers; stochastic luminance's choice of source pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "base/Parallel.h"
#include "effects/model/EffectTable.h"
#include "effects/model/Lighting.h"
#include "support/DistinctPattern.h"
#include "support/EffectRun.h"
#include "support/ErrorMessage.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
using namespace lumarte::fixtures;

namespace {

TBitmap Lit(const TBitmap& image, const LightAndDarknessParams& p, TSelectionClass sel = {},
            uint32_t seed = 7) {
  const EffectScene scene(image, std::move(sel));
  return LightAndDarkness(scene.Input, p, seed);
}

TLight Source(int style, int x, int y, int width, int function, double factor = 1.0) {
  TLight l;
  l.Style = style, l.X = x, l.Y = y, l.Width = width, l.Function = function, l.Factor = factor;
  return l;
}

double Distance(int x, int y, const TLight& l) {
  return std::hypot(x - l.X, y - l.Y);
}

// A channel after lighting is its expected value rounded after the
// dithering added a number in [0, 1): a whole value or one above.
void ExpectDithered(int got, double expected, const std::string& where) {
  EXPECT_GE(got, std::min(255.0, std::floor(expected))) << where;
  EXPECT_LE(got, std::min(255.0, std::ceil(expected) + 1)) << where;
}

struct LightCase {
  const char* Name;
  std::vector<TLight> Lights;
  std::vector<TBarrier> Barriers;
  // Each channel's expected value at (x, y) from its value v there; -1 for
  // "not checked".
  std::function<double(int x, int y, int channel, int v)> Expected;
};

class LightEdgeCases : public ::testing::TestWithParam<LightCase> {};

TEST_P(LightEdgeCases, GiveTheExpectedChannels) {
  const LightCase& c = GetParam();
  const TBitmap image = DistinctPattern(36, 12);
  const TBitmap out = Lit(image, {c.Lights, c.Barriers});
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const uint8_t* in = image.ScanLine(y) + 3 * x;
      const uint8_t* got = out.ScanLine(y) + 3 * x;
      for (int ch = 0; ch < 3; ++ch) {
        const double e = c.Expected(x, y, ch, in[2 - ch]);
        if (e >= 0) ExpectDithered(got[2 - ch], e, std::to_string(x) + "," + std::to_string(y));
      }
    }
}

const TLight kDark = Source(kDarkness, 10, 5, 8, kLinear);
const TLight kSineTwo = Source(kLight, 0, 0, 8, kSine2);
// A red filter across the image at x = 18 between two half-strength sources.
const TBarrier kRedWall{0, 18, -1, 18, 20, 100, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Lighting, LightEdgeCases,
    ::testing::Values(LightCase{"ConstantKeepsTheImage",
                                {Source(kLight, 3, 3, 0, kConstant)},
                                {},
                                [](int, int, int, int v) { return double(v); }},
                      LightCase{"DarknessBlackAtTheSourceAndNothingBeyondItsWidth",
                                {kDark},
                                {},
                                [](int x, int y, int, int v) {
                                  const double d = Distance(x, y, kDark);
                                  return d == 0 ? 0.0 : d >= 8 ? double(v) : -1.0;
                                }},
                      LightCase{"SineTwoClampsAtZero",
                                {kSineTwo},
                                {},
                                [](int x, int y, int, int v) {
                                  const double s =
                                      std::sin(2 * M_PI * Distance(x, y, kSineTwo) / 8) * v;
                                  return s <= 0 ? 0.0 : s;
                                }},
                      LightCase{"RedBarrierTakesOnlyItsSourcesRed",
                                {Source(kLight, 0, 5, 0, kConstant, 0.5),
                                 Source(kLight, 35, 5, 0, kConstant, 0.5)},
                                {kRedWall},
                                [](int x, int, int ch, int v) {
                                  if (ch != 0) return double(v);
                                  return x == 18 ? 0.0 : v * 0.5;  // on the wall both are filtered
                                }}),
    [](const auto& info) { return std::string(info.param.Name); });

struct SegmentCase {
  TSegmentEnd A, B, C, D;
  bool Meet;
};

class Segments : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(Segments, MeetExactly) {
  const SegmentCase& c = GetParam();
  EXPECT_EQ(SegmentsIntersect(c.A, c.B, c.C, c.D), c.Meet);
  EXPECT_EQ(SegmentsIntersect(c.C, c.D, c.A, c.B), c.Meet) << "either order";
  EXPECT_EQ(SegmentsIntersect(c.B, c.A, c.D, c.C), c.Meet) << "either direction";
}

INSTANTIATE_TEST_SUITE_P(
    Lighting, Segments,
    ::testing::Values(SegmentCase{{0, 0}, {10, 10}, {0, 10}, {10, 0}, true},  // crossing
                      SegmentCase{{0, 0}, {5, 5}, {5, 5}, {9, 0}, true},      // end on end
                      SegmentCase{{0, 0}, {10, 0}, {5, 0}, {5, 7}, true},     // end on inside
                      SegmentCase{{0, 0}, {10, 0}, {5, 1}, {5, 7}, false},    // one short
                      SegmentCase{{3, 0}, {3, 9}, {4, 0}, {4, 9}, false},     // parallel verticals
                      SegmentCase{{3, 0}, {3, 5}, {3, 4}, {3, 9}, true},   // overlapping verticals
                      SegmentCase{{0, 0}, {2, 2}, {3, 3}, {5, 5}, false},  // collinear apart
                      SegmentCase{{0, 0}, {2, 2}, {2, 2}, {5, 5}, true},   // collinear touching
                      SegmentCase{{0, 0}, {9, 0}, {0, 1}, {9, 1}, false},  // parallel rows
                      SegmentCase{{4, 0}, {4, 0}, {0, 0}, {8, 0}, true},   // a point on it
                      SegmentCase{{4, 1}, {4, 1}, {0, 0}, {8, 0}, false},  // a point off it
                      SegmentCase{{0, 0}, {1, 1}, {3, 0}, {2, 1}, false},  // lines meet beyond
                      SegmentCase{{-32000, 5}, {65535, 6}, {30000, -32000}, {30001, 32000}, true}));

struct TextCase {
  std::string Text;
  bool Barrier;
  std::string Error;
};

class ItemText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ItemText, IsRefusedNamingTheField) {
  const TextCase& c = GetParam();
  EXPECT_EQ(Message([&] { c.Barrier ? (void)ParseBarrier(c.Text) : (void)ParseLight(c.Text); }),
            c.Error);
}

const std::string kTen =
    "--light takes 10 numbers STYLE,X,Y,WIDTH,MAXDIST,FUNCTION,FACTOR,RED,GREEN,BLUE, got ";

INSTANTIATE_TEST_SUITE_P(
    Lighting, ItemText,
    ::testing::Values(
        TextCase{"0,1,2,3", false, kTen + "\"0,1,2,3\""},
        TextCase{"0,1,2,3,4,5,6,7,8,9,", false, kTen + "\"0,1,2,3,4,5,6,7,8,9,\""},
        TextCase{"4,1,2,3,4,5,6,7,8,9", false,
                 "--light STYLE takes a whole number from 0 to 3, got \"4\""},
        TextCase{"0,1.5,2,3,4,5,6,7,8,9", false,
                 "--light X takes a whole number from -32000 to 32000, got \"1.5\""},
        TextCase{"0,1,2,3,4,6,6,7,8,9", false,
                 "--light FUNCTION takes a whole number from -1 to 5, got \"6\""},
        TextCase{"0,1,2,3,4,5,0,7,8,9", false,
                 "--light FACTOR takes a number from 1 to 9999, got \"0\""},
        TextCase{"0,1,2,3,4,5,6,7,8,nan", false,
                 "--light BLUE takes a number from 0 to 100, got \"nan\""},
        TextCase{"1,2,3,4,100,0,", true, "--barrier BLUE takes a number from 0 to 100, got \"\""},
        TextCase{" 1,2,3,4,100,0,5", true,
                 "--barrier X1 takes a whole number from -32000 to 32000, got \" 1\""}));

// What the text forms accept holds every field.
TEST(LightAndDarkness, TextFormHoldsEveryField) {
  EXPECT_EQ(ParseLight("3,-5,7,0,64000,5,500,12.5,0,100"),
            (TLight{3, -5, 7, 0, 64000, 5, 0.5, 12.5, 0, 100}));
  EXPECT_EQ(ParseBarrier("1,-2,3,4,100,0,50"), (TBarrier{0, 1, -2, 3, 4, 100, 0, 50}));
}

TEST(LightAndDarkness, NormalizeBringsTheBrightestToAbout255) {
  const TBitmap image = Filled(31, 31, RGBColor(100, 100, 100));
  const TLight l = Source(kLight, 15, 15, 20, kLinear);
  const TBitmap out = Lit(image, {{l}, {}, 1000, true});
  EXPECT_EQ(out.Pixel(15, 15), RGBColor(255, 255, 255));
  ExpectDithered(RedOf(out.Pixel(25, 15)), 100 * 0.5 * 2.55, "half way");
  const TBitmap plain = Lit(image, {{l}, {}, 1000, false});
  ExpectDithered(RedOf(plain.Pixel(15, 15)), 100, "without Normalize");
}

// One core or several, and the command line's text form or the lists
// themselves: the same pixels and the same generator state afterwards.
TEST(LightAndDarkness, SameImageOnOneCoreOrManyAndFromTheCommandLine) {
  const TBitmap image = DistinctPattern(36, 85);
  TSelectionClass sel = PolygonSelection({{2, 3}, {34, 10}, {20, 84}, {1, 60}});
  const std::vector<std::string> lights = {"0,10,10,40,-1,2,1000,100,80,60",
                                           "3,30,70,25,50,3,700,50,100,100",
                                           "2,-5,40,60,-1,4,1200,90,90,20"};
  const std::vector<std::string> barriers = {"0,0,40,50,60,30,10", "5,80,30,5,100,100,0"};
  const EffectRow& row = *FindEffect("light-and-darkness");
  ParamValues values({{"normalize", 1}});
  LightAndDarknessParams p{{}, {}, 1000, true};
  for (const auto& t : lights) {
    ASSERT_TRUE(ParseListItem(row, "light", t, values));
    p.Lights.push_back(ParseLight(t));
  }
  for (const auto& t : barriers) {
    ASSERT_TRUE(ParseListItem(row, "barrier", t, values));
    p.Barriers.push_back(ParseBarrier(t));
  }
  ParallelThreadLimit() = 1;
  const TBitmap one = Lit(image, p, sel, 99);
  const uint32_t after = Rng().State;
  ParallelThreadLimit() = 0;
  const TBitmap many = Lit(image, p, sel, 99);
  EXPECT_EQ(Rng().State, after);
  EXPECT_EQ(one, many);
  EXPECT_FALSE(one == image);

  const EffectScene scene(image, sel);
  EXPECT_EQ(row.Run(scene.Input, values, 99), one);
  EXPECT_FALSE(Lit(image, p, sel, 100) == one) << "the seed feeds the dithering";
}

TEST(LightAndDarkness, PressesPickTheNearestHandle) {
  std::vector<TLight> lights = {Source(kLight, 10, 10, 20, kLinear)};
  std::vector<TBarrier> barriers = {{0, 40, 40, 60, 40, 100, 100, 100}};
  EXPECT_EQ(PickLightHandle(lights, barriers, 12, 9, 2), (TLightHandle{TLightHandle::Centre, 0}));
  EXPECT_EQ(PickLightHandle(lights, barriers, 55, 41, 2), (TLightHandle{TLightHandle::End, 0}));
  EXPECT_EQ(PickLightHandle(lights, barriers, 31, 10, 2), (TLightHandle{TLightHandle::Reach, 0}));
  DragLightHandle({TLightHandle::Reach, 0}, lights, barriers, 10, 45.4);
  EXPECT_EQ(lights[0].Width, 35);
  DragLightHandle({TLightHandle::Start, 0}, lights, barriers, -40000, 3.5);
  EXPECT_EQ(barriers[0].X1, -32000) << "kept inside the field's range";
  EXPECT_EQ(barriers[0].Y1, 4) << "halves to even";
}

struct StochasticCase {
  int Offset;
  bool FarChanges;  // whether the second-brightest pixel shoots too
};

class StochasticSources : public ::testing::TestWithParam<StochasticCase> {};

// A dark image with two bright pixels: with Maximum only and offset 0 only
// the brightest shoots rays; a larger offset takes in the other one too.
TEST_P(StochasticSources, MaximumOnlyTakesThePixelsCloseToTheMaximum) {
  TBitmap image = Filled(64, 64, RGBColor(50, 50, 50));
  image.SetPixel(10, 10, RGBColor(200, 200, 200));
  image.SetPixel(50, 50, RGBColor(190, 190, 190));
  const EffectScene scene(image);
  StochasticLuminanceParams p;
  p.LightRays = 20, p.LightHitProb = 99, p.LightOffset = GetParam().Offset;
  const TBitmap out = StochasticLuminance(scene.Input, p, 3);
  auto changedNear = [&](int cx, int cy) {
    int n = 0;
    for (int y = cy - 20; y <= cy + 20; ++y)
      for (int x = cx - 20; x <= cx + 20; ++x)
        n += (x != cx || y != cy) && out.Pixel(x, y) != image.Pixel(x, y);
    return n;
  };
  EXPECT_GT(changedNear(10, 10), 10);
  EXPECT_EQ(changedNear(50, 50) > 0, GetParam().FarChanges);
  EXPECT_GT(RedOf(out.Pixel(10, 10)), 200) << "the rays' first hits brighten the source";
}

INSTANTIATE_TEST_SUITE_P(Lighting, StochasticSources,
                         ::testing::Values(StochasticCase{0, false}, StochasticCase{10, true}));

}  // namespace
