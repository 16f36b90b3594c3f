#include <gtest/gtest.h>

#include "base/Random.h"
#include "base/Rounding.h"
#include "effects/model/EffectTable.h"
#include "effects/model/ToneEffects.h"
#include "support/EffectRun.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
using namespace lumarte::fixtures;

namespace {

// A small image with every kind of pixel the formulas treat differently; the
// last row's channels differ by less than 0.01 of full scale.
TBitmap Sample() {
  TBitmap b(4, 3);
  const TColor px[] = {RGBColor(0, 0, 0),       RGBColor(255, 255, 255), RGBColor(10, 20, 30),
                       RGBColor(200, 100, 50),  RGBColor(1, 1, 2),       RGBColor(255, 0, 0),
                       RGBColor(128, 128, 128), RGBColor(0, 90, 255),    RGBColor(0, 0, 1),
                       RGBColor(0, 1, 0),       RGBColor(2, 1, 2),       RGBColor(1, 2, 1)};
  for (int i = 0; i < 12; ++i) b.SetPixel(i % 4, i / 4, px[i]);
  return b;
}

}  // namespace

TEST(Rounding, HalvesGoToEven) {
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(3.5), 4);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(ClampRound(254.5), 254);
  EXPECT_EQ(ClampRound(300), 255);
  EXPECT_EQ(ClampRound(-3), 0);
}

TEST(Random, GeneratorArithmetic) {
  TRandomGenerator g;
  g.Seed(0x80000000u);
  EXPECT_EQ(g.Below(2), 1u);  // state 0x80000001: high half of 2 * state
  EXPECT_EQ(g.State, 0x80000001u);
  g.Seed(0);
  EXPECT_DOUBLE_EQ(g.Real(), 1.0 / 4294967296.0);
  EXPECT_EQ(g.Next(), 134775814u);
}

// Threads that share out the noise field jump ahead; the jump must land
// where the draws one by one would.
class RandomSkip : public ::testing::TestWithParam<uint64_t> {};

TEST_P(RandomSkip, EqualsDrawingOneByOne) {
  TRandomGenerator a, b;
  a.Seed(0xDEADBEEFu);
  b.Seed(0xDEADBEEFu);
  for (uint64_t i = 0; i < GetParam(); ++i) a.Next();
  b.Skip(GetParam());
  EXPECT_EQ(a.State, b.State);
}

INSTANTIATE_TEST_SUITE_P(Counts, RandomSkip,
                         ::testing::Values(0u, 1u, 2u, 3u, 1000u, 65537u, 2400000u));

// The same field whether one thread or several draw it: an unfiltered red
// pass over an image large enough to be split adds to every pixel the
// rounded Gaussian drawn for it one by one from the seed.
TEST(AddNoise, SplitWorkGivesTheSequentialField) {
  const TBitmap image = Filled(1000, 300, RGBColor(128, 128, 128));
  const TBitmap out = RunEffect("add-noise", image, {{"channel", 2}}, {}, 77);
  TRandomGenerator g;
  g.Seed(77);
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 1000; ++x) {
      int64_t noise = Round(g.Gauss(0, 50 * 196.0 / 100));
      ASSERT_EQ(RedOf(out.Pixel(x, y)), std::clamp<int64_t>(128 + noise, 0, 255)) << x << "," << y;
    }
}

// Neutral settings give back the image unchanged; dark pixels keep their hue
// (the blue-most one is not taken as red).
class NeutralEffect : public ::testing::TestWithParam<std::string> {};

TEST_P(NeutralEffect, LeavesImageUnchanged) {
  TBitmap src = Sample();
  std::map<std::string, double> neutral;
  if (GetParam() == "add-noise") neutral = {{"intensity", 0}};
  EXPECT_EQ(RunEffect(GetParam(), src, neutral), src);
}

INSTANTIATE_TEST_SUITE_P(Tone, NeutralEffect,
                         ::testing::Values("adjust-brightness", "adjust-contrast",
                                           "hue-and-saturaton", "switch-colors", "add-noise"),
                         [](const auto& info) {
                           std::string n = info.param;
                           std::replace(n.begin(), n.end(), '-', '_');
                           return n;
                         });

struct ToneCase {
  const char* Effect;
  std::map<std::string, double> Values;
  int X, Y;
  TColor Want;
};

class HandComputed : public ::testing::TestWithParam<ToneCase> {};

TEST_P(HandComputed, PixelOfTheSample) {
  const ToneCase& c = GetParam();
  EXPECT_EQ(RunEffect(c.Effect, Sample(), c.Values).Pixel(c.X, c.Y), c.Want);
}

INSTANTIATE_TEST_SUITE_P(
    Tone, HandComputed,
    ::testing::Values(
        // Red doubled and clamped, blue halved; factor 5.5 on every channel.
        ToneCase{"adjust-brightness", {{"red", 100}, {"blue", -100}}, 3, 0, RGBColor(255, 100, 25)},
        ToneCase{"adjust-brightness", {{"red", 100}, {"blue", -100}}, 2, 0, RGBColor(20, 20, 15)},
        ToneCase{"adjust-brightness", {{"overall", 50}, {"range", 2}}, 2, 0, RGBColor(55, 110, 165)},
        // A half turn takes red to cyan; grey has no hue.
        ToneCase{"hue-and-saturaton", {{"hue", 100}}, 1, 1, RGBColor(0, 255, 255)},
        ToneCase{"hue-and-saturaton", {{"hue", 100}}, 2, 1, RGBColor(128, 128, 128)},
        // The grey preset: (200 + 100 + 50) / 3 = 116.67.
        ToneCase{"switch-colors", {{"set-parameters-to", 1}}, 3, 0, RGBColor(117, 117, 117)},
        ToneCase{"switch-colors", {{"set-parameters-to", 1}}, 2, 0, RGBColor(20, 20, 20)},
        // Targets read the source: red from blue and blue from red swap cleanly.
        ToneCase{"switch-colors", {{"red", 2}, {"blue", 0}}, 3, 0, RGBColor(50, 100, 200)},
        // Formula 13 for red: (2 * 60 + 765) / 12 = 73.75.
        ToneCase{"switch-colors", {{"red", 13}, {"green", 24}}, 2, 0, RGBColor(74, 20, 30)}));

TEST(ToneEffects, ContrastAroundTheMedian) {
  TBitmap src(3, 1);
  src.SetPixel(0, 0, RGBColor(0, 0, 0));
  src.SetPixel(1, 0, RGBColor(30, 30, 30));
  src.SetPixel(2, 0, RGBColor(60, 90, 120));  // intensity 90
  TBitmap out = RunEffect("adjust-contrast", src, {{"contrast", 50}});
  EXPECT_EQ(out.Pixel(0, 0), RGBColor(0, 0, 0));     // black stays black
  EXPECT_EQ(out.Pixel(1, 0), RGBColor(30, 30, 30));  // the median itself
  // I = 90, M = 30, c = 2: I' = 150, ratio 5/3
  EXPECT_EQ(out.Pixel(2, 0), RGBColor(100, 150, 200));
}

TEST(ToneEffects, GammaKeepsDarkPixelsAndBrightensMidtones) {
  Rng().Seed(5);
  TBitmap out = RunEffect("gamma-correction", Sample(), {});
  EXPECT_EQ(out.Pixel(0, 0), RGBColor(0, 0, 0));
  EXPECT_EQ(out.Pixel(0, 1), RGBColor(1, 1, 2));  // level below 0.01
  TColor mid = out.Pixel(2, 1);
  EXPECT_GT(RedOf(mid), 128);
  EXPECT_NEAR(RedOf(mid), 255 * std::pow(128 / 255.0, 1 / 2.42), 1.0);
}

TEST(ToneEffects, AtmosphereShiftsTowardTheMode) {
  TBitmap src(1, 1);
  src.SetPixel(0, 0, RGBColor(128, 128, 128));
  TBitmap hot = RunEffect("athmosphere", src, {{"make-image-more", 1}, {"intensity", 60}});
  EXPECT_GT(RedOf(hot.Pixel(0, 0)), 128);
  EXPECT_LT(BlueOf(hot.Pixel(0, 0)), 128);
}

TEST(ToneEffects, GreyNoiseAddsOneValueToEveryChannel) {
  const TBitmap a = RunEffect("add-noise", Filled(8, 8, RGBColor(128, 128, 128)),
                              {{"channel", 1}, {"apply-filter", 1}});
  bool changed = false;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      TColor c = a.Pixel(x, y);
      EXPECT_EQ(RedOf(c), GreenOf(c));
      EXPECT_EQ(RedOf(c), BlueOf(c));
      changed |= c != RGBColor(128, 128, 128);
    }
  EXPECT_TRUE(changed);
}

TEST(EffectTable, NamesChoicesAndDescription) {
  EXPECT_EQ(CliName("Negative Image"), "negative-image");
  EXPECT_EQ(CliName("Pinch && Punch"), "pinch-punch");
  EXPECT_EQ(CliName("(Red+Green) div 2"), "red-green-div-2");
  const EffectRow& row = *FindEffect("adjust-brightness");
  ParamValues v;
  ParseParam(row, "range=0-5-2", v);
  EXPECT_EQ(v.Int(row.Param("range")), 1);
  EXPECT_EQ(DescribeEffect(row).rfind("adjust-brightness  overall=-100..100 (default 0)", 0), 0u);
  // A caption's typo stays in the computed name; the correct spelling finds
  // the same row, and --list says so.
  for (auto [typo, correct] : {std::pair{"hue-and-saturaton", "hue-and-saturation"},
                               std::pair{"athmosphere", "atmosphere"}}) {
    ASSERT_NE(FindEffect(typo), nullptr);
    EXPECT_EQ(FindEffect(correct), FindEffect(typo));
    EXPECT_NE(DescribeEffect(*FindEffect(typo)).find(std::string("(or ") + correct + ")"),
              std::string::npos);
  }
}
