#include <gtest/gtest.h>

#include "editor/model/ColorCommands.h"
#include "editor/model/ColorSet.h"
#include "editor/model/TestViews.h"
#include "editor/model/ZoomStatus.h"

using namespace lumarte::editor;

TEST(ColorSetTest, ValueIsRedPlus256GreenPlus65536Blue) {
  TColorEntry e = TColorEntry::FromRGB(12, 200, 7);
  EXPECT_EQ(e.B, 7);  // stored blue first
  EXPECT_EQ(e.Value(), 12 + 256 * 200 + 65536 * 7);
  EXPECT_EQ(e.Color(), RGBColor(12, 200, 7));
  EXPECT_EQ(TColorEntry::FromRGB(-99, -99, -99).Value(), -99 - 256 * 99 - 65536 * 99);
  EXPECT_EQ(TColorEntry::FromRGB(-99, 300, 5).Color(), RGBColor(0, 255, 5));
}

struct LabelCase {
  int R, G, B;
  bool White;
};
class LabelColourTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(LabelColourTest, WhiteBelow381) {
  const auto& c = GetParam();
  EXPECT_EQ(TColorEntry::FromRGB(c.R, c.G, c.B).LabelIsWhite(), c.White);
}

INSTANTIATE_TEST_SUITE_P(Sums, LabelColourTest,
                         ::testing::Values(LabelCase{12, 200, 7, true},
                                           LabelCase{127, 127, 126, true},
                                           LabelCase{127, 127, 127, false},
                                           LabelCase{255, 255, 255, false},
                                           LabelCase{0, 0, 0, true}));

// The default interval (black, width -1) holds black and its neighbours one
// step away, because the width is squared.
TEST(ColorSetTest, DefaultIntervalHoldsNearBlack) {
  TColorSet c;
  EXPECT_TRUE(c.InTCI(0, 0, 0));
  EXPECT_TRUE(c.InTCI(1, 0, 0));
  EXPECT_TRUE(c.InTCI(0, 0, 1));
  EXPECT_FALSE(c.InTCI(1, 1, 0));
  EXPECT_FALSE(c.InTCI(2, 0, 0));
  c.TCI = TColorEntry::FromRGB(-99, -99, -99);  // switched off
  c.TCIWidth = 10;
  EXPECT_FALSE(c.InTCI(0, 0, 0));
}

TEST(ColorSetTest, SwapsWithASwitchedOffIntervalOrANumberedColour) {
  TColorSet c;
  c.FG = TColorEntry::FromRGB(10, 20, 30);
  c.TCI = TColorEntry::FromRGB(-99, -99, -99);
  c.SwapColours(TColorMember::FG, TColorMember::TCI);
  EXPECT_EQ(c.FG, TColorEntry::FromRGB(0, 0, 0));
  EXPECT_EQ(c.TCI, TColorEntry::FromRGB(10, 20, 30));
  c.SwapColours(TColorMember::BG, ColorK(3));
  EXPECT_EQ(c.BG, TColorEntry::FromRGB(255, 0, 0));
  EXPECT_EQ(c.Color(3), TColorEntry::FromRGB(0, 0, 0));
}

TEST(ColorSetTest, ColourKeys) {
  TColorSet c;
  ApplyColourKey(c, 2);
  EXPECT_EQ(c.FG, TColorEntry::FromRGB(0, 255, 0));
  ApplyColourKey(c, 0);
  EXPECT_EQ(c.FG, TColorEntry::FromRGB(0, 0, 0));
  EXPECT_EQ(c.BG, TColorEntry::FromRGB(0, 255, 0));
  c.FG = TColorEntry::FromRGB(5, 6, 7);
  ApplyColourKey(c, 9);
  EXPECT_EQ(c.TCI, TColorEntry::FromRGB(5, 6, 7));
  EXPECT_EQ(c.FG, TColorEntry::FromRGB(0, 0, 0));
}

TEST(ColorSetTest, StatusColourRoundTrip) {
  TColorEntry e = ParseStatusColour(RGBPanelText(RGBColor(12, 200, 7)));
  EXPECT_EQ(e, TColorEntry::FromRGB(12, 200, 7));
}

struct ParseCase {
  const char* Text;
  const char* Error;
};
class StatusColourErrorTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StatusColourErrorTest, NamesTheFailingPart) {
  EXPECT_EQ(Message([&] { ParseStatusColour(GetParam().Text); }), GetParam().Error);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StatusColourErrorTest,
    ::testing::Values(ParseCase{"", "Scanning the Color for Red Failed"},
                      ParseCase{"RGB: x 2 3", "Scanning the Color for Red Failed"},
                      ParseCase{"RGB: 1 2", "Scanning the Color for Blue Failed"},
                      ParseCase{"RGB: 1 2a 3", "Scanning the Color for Green Failed"},
                      ParseCase{"RGB: 1 2 3.5", "Scanning the Color for Blue Failed"}));
