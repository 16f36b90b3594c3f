// The colour dialog's working copy: what each tab and bar edits, what OK
// writes back, the switch menu and the transparent colour interval.
#include <gtest/gtest.h>

#include <tuple>

#include "editor/model/ColorFormModel.h"
#include "editor/model/ColorPalette.h"
#include "imaging/Errors.h"

using namespace lumarte::editor;
using lumarte::ELumarteError;

namespace {

TColorSet SampleSet() {
  TColorSet set;
  set.FG = TColorEntry::FromRGB(1, 2, 3);
  set.BG = TColorEntry::FromRGB(4, 5, 6);
  set.TCI = TColorEntry::FromRGB(70, 80, 90);
  set.TCIWidth = 12;
  set.PenWidth = 5;
  return set;
}

TColorSet RoundTrip(const TColorFormModel& model, TColorSet into = TColorSet()) {
  model.WriteBack(into);
  return into;
}

// Every member the dialog edits, for comparing whole sets.
auto Members(const TColorSet& s) {
  return std::tie(s.FG, s.BG, s.TCI, s.TCIWidth, s.Colors, s.PenWidth);
}

}  // namespace

// Each tab edits its own member and nothing else.
class ColorTabTest : public ::testing::TestWithParam<int> {};

TEST_P(ColorTabTest, EditsOnlyItsMember) {
  const int tab = GetParam();
  const TColorSet set = SampleSet();
  TColorFormModel model;
  model.Load(set);
  model.SelectTab(tab);
  model.SetSelected(TChannel::Red, 200);
  model.SetSelected(TChannel::Green, 300);  // bars stop at 255
  model.SetSelected(TChannel::Blue, -4);    // and at 0
  EXPECT_EQ(model.Selected(), TColorEntry::FromRGB(200, 255, 0));

  TColorSet expected = set;
  expected.Member(ColorTabMember(tab)) = TColorEntry::FromRGB(200, 255, 0);
  EXPECT_EQ(Members(RoundTrip(model)), Members(expected));
}

INSTANTIATE_TEST_SUITE_P(AllTabs, ColorTabTest, ::testing::Range(0, kColorTabCount));

TEST(ColorFormModelTest, TabsOutsideTheTenAreRefused) {
  TColorFormModel model;
  EXPECT_THROW(model.SelectTab(10), ELumarteError);
  EXPECT_THROW(model.SelectTab(-1), ELumarteError);
  EXPECT_EQ(model.Tab(), 0);
}

TEST(ColorFormModelTest, PickedColourReplacesTheSelectedOne) {
  TColorFormModel model;
  model.Load(SampleSet());
  model.SelectTab(3);
  model.SetSelected(TColorEntry::FromRGB(9, 8, 7));
  EXPECT_EQ(RoundTrip(model).Color(2), TColorEntry::FromRGB(9, 8, 7));
}

// The switch menu exchanges the edited values of two tabs.
TEST(ColorFormModelTest, SwitchExchangesTheCurrentTabWithTheChosenOne) {
  TColorSet set = SampleSet();
  TColorFormModel model;
  model.Load(set);
  model.SelectTab(4);  // Color 3
  model.SetSelected(TChannel::Red, 11);
  model.SwitchWith(1);  // BG
  EXPECT_EQ(model.Tab(), 4);
  EXPECT_EQ(model.Selected(), set.BG);
  const TColorSet out = RoundTrip(model);
  EXPECT_EQ(out.BG, TColorEntry::FromRGB(11, 0, 0));
  EXPECT_EQ(out.Color(3), set.BG);
  EXPECT_EQ(out.FG, set.FG);

  model.SwitchWith(4);  // with itself: nothing moves
  EXPECT_EQ(model.Selected(), set.BG);
  EXPECT_THROW(model.SwitchWith(10), ELumarteError);
}

TEST(ColorFormModelTest, LoadKeepsTheTabAndDropsUnwrittenEdits) {
  TColorSet set = SampleSet();
  TColorFormModel model;
  model.Load(set);
  model.SelectTab(1);
  model.SetSelected(TChannel::Blue, 99);  // then Cancel: nothing written
  model.Load(set);
  EXPECT_EQ(model.Tab(), 1);
  EXPECT_EQ(model.Selected(), set.BG);
}

// The pen may be wider (the main window's spin edit goes to 128): the bar
// shows its end, and only moving it changes the pen.
TEST(ColorFormModelTest, WiderPenSurvivesUntilTheBarMoves) {
  TColorSet set = SampleSet();
  set.PenWidth = 100;
  TColorFormModel model;
  model.Load(set);
  EXPECT_EQ(model.LineWidth(), 32);
  EXPECT_EQ(RoundTrip(model).PenWidth, 100);
  model.SetLineWidth(20);
  EXPECT_EQ(RoundTrip(model).PenWidth, 20);
}

TEST(ColorFormModelTest, IntervalBarsSetTheCentre) {
  TColorFormModel model;
  model.Load(SampleSet());
  model.SetTCI(TChannel::Red, 255);
  model.SetTCI(TChannel::Green, 256);
  model.SetTCI(TChannel::Blue, 0);
  const TColorSet out = RoundTrip(model);
  EXPECT_EQ(out.TCI, TColorEntry::FromRGB(255, 255, 0));
  EXPECT_TRUE(out.InTCI(250, 255, 3));
}

// Cleared check box: the centre is written as -99 in every component and no
// pixel is in the interval any more; the width is still written. Opening on
// it clears the check box; the bars show the last centre used in the dialog,
// never -99, so ticking the box again brings that centre back.
TEST(ColorFormModelTest, SwitchedOffIntervalIsMinus99AndReopensWithTheLastCentre) {
  const TColorSet set = SampleSet();
  TColorFormModel model;
  model.Load(set);
  model.SetUseTCI(false);
  model.SetTCIWidth(128);
  const TColorSet off = RoundTrip(model);
  EXPECT_EQ(off.TCI, TColorEntry::FromRGB(-99, -99, -99));
  EXPECT_EQ(off.TCIWidth, 128);
  EXPECT_FALSE(off.InTCI(0, 0, 0));

  model.Load(off);
  EXPECT_FALSE(model.UseTCI());
  EXPECT_EQ(model.TCICentre(), set.TCI);
  EXPECT_EQ(RoundTrip(model).TCI, TColorEntry::FromRGB(-99, -99, -99));
  model.SetUseTCI(true);
  EXPECT_EQ(RoundTrip(model).TCI, set.TCI);

  TColorFormModel fresh;
  fresh.Load(off);
  EXPECT_EQ(fresh.TCICentre(), TColorEntry::FromRGB(0, 0, 0));
}

// A colour switched with the interval in the window reads its negative
// components as 0; the dialog then opens with the interval on.
TEST(ColorFormModelTest, IntervalTakenFromForegroundOpensOn) {
  TColorSet set = SampleSet();
  set.TCI = TColorEntry::FromRGB(-99, -99, -99);
  set.SwapColours(TColorMember::FG, TColorMember::TCI);
  TColorFormModel model;
  model.Load(set);
  EXPECT_TRUE(model.UseTCI());
  EXPECT_EQ(model.TCICentre(), TColorEntry::FromRGB(1, 2, 3));
  EXPECT_EQ(model.Member(TColorMember::FG), TColorEntry::FromRGB(0, 0, 0));
}

TEST(ColorPaletteTest, HuesAcrossWhiteAboveBlackBelowGreyRamp) {
  const TBitmap p = MakeColourPalette();
  ASSERT_EQ(p.Width(), kPaletteWidth);
  ASSERT_EQ(p.Height(), kPaletteHeight);
  const int spectrum = kPaletteHeight - kPaletteGreyRows, mid = (spectrum - 1) / 2;
  auto at = [&](int x, int y) { return PaletteColourAt(p, x, y); };
  // The pure hues sit in the middle row: red, green at a third, blue at two
  // thirds, red again at the right edge.
  const int third = (kPaletteWidth - 1) / 3;
  for (auto [x, hue] : {std::pair{0, 0}, {third, 1}, {2 * third, 2}, {kPaletteWidth - 1, 0}}) {
    const TColorEntry c = at(x, mid);
    const int rgb[3] = {c.R, c.G, c.B};
    EXPECT_GT(rgb[hue], 240) << x;
    EXPECT_LT(rgb[0] + rgb[1] + rgb[2] - rgb[hue], 20) << x;
  }
  for (int x : {0, 100, kPaletteWidth - 1}) {
    EXPECT_EQ(at(x, 0), TColorEntry::FromRGB(255, 255, 255)) << x;
    EXPECT_EQ(at(x, spectrum - 1), TColorEntry::FromRGB(0, 0, 0)) << x;
  }
  // The grey ramp from black to white.
  EXPECT_EQ(at(0, spectrum), TColorEntry::FromRGB(0, 0, 0));
  EXPECT_EQ(at(128, spectrum + 3), TColorEntry::FromRGB(128, 128, 128));
  EXPECT_EQ(at(kPaletteWidth - 1, kPaletteHeight - 1), TColorEntry::FromRGB(255, 255, 255));
}

TEST(ColorPaletteTest, PointsOutsideTakeTheNearestEdge) {
  const TBitmap p = MakeColourPalette();
  EXPECT_EQ(PaletteColourAt(p, -5, -5), PaletteColourAt(p, 0, 0));
  EXPECT_EQ(PaletteColourAt(p, 9999, 9999),
            PaletteColourAt(p, kPaletteWidth - 1, kPaletteHeight - 1));
  EXPECT_EQ(PaletteColourAt(TBitmap(), 3, 3), TColorEntry());
  EXPECT_THROW(MakeColourPalette(1, 100), ELumarteError);
  EXPECT_THROW(MakeColourPalette(100, 30), ELumarteError);
}
