#include <gtest/gtest.h>

#include <cmath>

#include "editor/model/ZoomStatus.h"
#include "editor/model/ZoomWindow.h"

using namespace lumarte::editor;

TEST(ZoomTest, PlusStopsAtTwentyMinusAtFiveThousandths) {
  double in = 1.0, out = 1.0;
  for (int i = 0; i < 100; ++i) {
    in = ZoomIn(in);
    out = ZoomOut(out);
  }
  EXPECT_EQ(in, 20.0);
  EXPECT_EQ(out, 0.005);
  EXPECT_EQ(LimitZoom(0.0), 0.001);
}

TEST(ZoomTest, ZeroDrawsAtOne) {
  EXPECT_EQ(ScreenToImage(7, 3, 0), 10);
  EXPECT_EQ(ScreenToImage(7, 3, 2.0), 5);
  EXPECT_EQ(ScreenToImage(5, 0, 2.0), 2);  // 2.5 rounds to even
  EXPECT_EQ(ScreenToImage(7, 0, 2.0), 4);  // 3.5 rounds to even
}

struct TrackCase {
  double Zoom;
  int Position;
};
class TrackBarTest : public ::testing::TestWithParam<TrackCase> {};

TEST_P(TrackBarTest, FactorToPosition) {
  EXPECT_EQ(ZoomToTrackBar(GetParam().Zoom), GetParam().Position);
}

INSTANTIATE_TEST_SUITE_P(Factors, TrackBarTest,
                         ::testing::Values(TrackCase{1.0, 0},
                                           TrackCase{2.0, 28},    // ln 2 · 40 = 27.7
                                           TrackCase{20.0, 100},  // 119.8, held at the end
                                           TrackCase{0.5, -50}, TrackCase{0.0, -100},
                                           TrackCase{0.005, -100},   // -99.5 rounds to even
                                           TrackCase{0.015, -98}));  // -98.5 rounds to even

TEST(TrackBarTest, PositionToFactor) {
  EXPECT_DOUBLE_EQ(TrackBarToZoom(0), 1.0);
  EXPECT_DOUBLE_EQ(TrackBarToZoom(-100), 0.0);
  EXPECT_DOUBLE_EQ(TrackBarToZoom(-30), 0.7);
  EXPECT_DOUBLE_EQ(TrackBarToZoom(1), std::exp(0.025));
  EXPECT_DOUBLE_EQ(TrackBarToZoom(100), std::exp(2.5));
  // Both ways agree over the bar.
  for (int p = -100; p <= 100; ++p) EXPECT_EQ(ZoomToTrackBar(TrackBarToZoom(p)), p) << p;
}

TEST(StatusTextTest, Panels) {
  EXPECT_EQ(ZoomPanelText(1.0), "(1:1)");
  EXPECT_EQ(ZoomPanelText(1.1), "(1.1:1)");
  EXPECT_EQ(ZoomPanelText(1.0 / 3), "(0.333:1)");
  EXPECT_EQ(ZoomPanelText(2.0 / 3), "(0.667:1)");
  EXPECT_EQ(ZoomPanelText(20), "(20:1)");
  EXPECT_EQ(XPanelText(12), "X:12");
  EXPECT_EQ(YPanelText(7), "Y:7");
  EXPECT_EQ(RGBPanelText(RGBColor(12, 200, 7)), "RGB: 12 200 7");
}

TEST(ArrowStepTest, GrowsOnQuickRepeatsUpToTen) {
  TArrowStep s;
  EXPECT_EQ(s.Press(10.0, true), 1);  // first press: the step is 1 whatever the dice say
  EXPECT_EQ(s.Press(10.1, true), 2);
  EXPECT_EQ(s.Press(10.2, false), 2);  // three times in four it stays
  for (int i = 0; i < 20; ++i) s.Press(10.3 + i * 0.1, true);
  EXPECT_EQ(s.Current(), TArrowStep::kMax);
  EXPECT_EQ(s.Press(20.0, true), 1);  // a pause resets it
  s.Press(20.1, true);
  s.Release();
  EXPECT_EQ(s.Current(), 1);
}

TEST(ZoomWindowTest, ApplyCancelClose) {
  TZoomWindowModel z;
  z.ShowFactor(2.0);
  EXPECT_EQ(z.TrackPosition, 28);
  z.TrackMoved(-100);
  EXPECT_EQ(z.Shown, 0.0);
  EXPECT_EQ(z.Current, 1.0);  // not applied by moving
  EXPECT_EQ(z.Apply(), 0.0);  // a zoom of 0 can be applied; it draws at 1.0
  z.TrackMoved(40);
  z.Cancel();
  EXPECT_EQ(z.Shown, 0.0);
  EXPECT_EQ(z.TrackPosition, -100);
  EXPECT_EQ(z.Close(), 1.0);  // the applied 0 becomes 1.0
  z.TrackMoved(-50);
  z.Apply();
  z.TrackMoved(100);
  EXPECT_EQ(z.Close(), 0.5);
}
