#include <gtest/gtest.h>

#include "video/model/PlayerArithmetic.h"

using namespace lumarte::video;

TEST(TimeTextTest, MinutesGoPastSixty) {
  const std::pair<int64_t, const char*> cases[] = {
      {65042, "01:05.042"}, {3600000, "60:00.000"}, {0, "00:00.000"},
      {999, "00:00.999"},   {6000000, "100:00.000"}};
  for (auto [ms, text] : cases) EXPECT_EQ(TimeText(ms), text);
}

TEST(ZoomTest, StepsStayWithinLimits) {
  EXPECT_FLOAT_EQ(ZoomIn(3.0f), 3.0f);
  EXPECT_FLOAT_EQ(ZoomOut(0.1f), 0.1f);
  EXPECT_FLOAT_EQ(ZoomIn(1.0f), 1.1f);
  EXPECT_FLOAT_EQ(ZoomOut(1.0f), 0.9f);
  float z = 1.0f;
  for (int i = 0; i < 40; ++i) z = ZoomOut(z);
  EXPECT_FLOAT_EQ(z, 0.1f);
}

TEST(ZoomTest, RectangleScalesFromItsCorner) {
  TDisplayRect r = ZoomedRect({5, 7, 165, 127}, 0.5f);
  EXPECT_EQ(r.Left, 5);
  EXPECT_EQ(r.Top, 7);
  EXPECT_EQ(r.Width(), 80);
  EXPECT_EQ(r.Height(), 60);
  // 161 * 0.5 = 80.5 rounds to the even 80.
  EXPECT_EQ(ZoomedRect({0, 0, 161, 3}, 0.5f).Width(), 80);
}

TEST(SliderSeekTest, SeeksOnlyBeyondBothThresholds) {
  const struct {
    int Slider;
    int64_t Frame, Length;
    std::optional<int64_t> Target;
  } cases[] = {
      // The timer's own update: slider follows the frame, no seek.
      {500, 5000, 10000, std::nullopt},
      // 51 slider steps away and 510 frames away: seeks.
      {551, 5000, 10000, 5510},
      // Exactly 50 steps is not beyond the threshold.
      {550, 5000, 10000, std::nullopt},
      // A short video: far on the slider but within 50 frames.
      {900, 0, 50, std::nullopt},
      // A long jump in a short video's frames is needed as well.
      {1000, 0, 200, 200},
      {10, 0, 0, std::nullopt}};
  for (const auto& c : cases)
    EXPECT_EQ(SliderSeekTarget(c.Slider, c.Frame, c.Length), c.Target) << c.Slider << "@" << c.Frame;
}

TEST(StepTest, NeverBeforeTheFirstFrame) {
  EXPECT_EQ(StepTarget(0, -1), 0);
  EXPECT_EQ(StepTarget(5, -10), 0);
  EXPECT_EQ(StepTarget(5, 10), 15);
  EXPECT_EQ(SliderPosition(49, 50), 980);
  EXPECT_EQ(FramePositionMs(25, 2000, 50), 1000);
}
