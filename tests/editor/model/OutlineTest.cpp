#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "editor/model/Outline.h"

using namespace lumarte::editor;

namespace {

std::set<std::pair<int, int>> AsSet(const std::vector<TPoint>& pts) {
  std::set<std::pair<int, int>> s;
  for (auto p : pts) s.insert({p.X, p.Y});
  return s;
}

struct MarkCase {
  uint8_t In, Out;
};
class MarkColorTest : public ::testing::TestWithParam<MarkCase> {};

}  // namespace

TEST_P(MarkColorTest, EachChannel) {
  const auto& c = GetParam();
  EXPECT_EQ(MarkColor(RGBColor(c.In, 0, 0)), RGBColor(c.Out, 255, 255));
  EXPECT_EQ(MarkColor(RGBColor(0, 0, c.In)), RGBColor(255, 255, c.Out));
}

INSTANTIATE_TEST_SUITE_P(Bands, MarkColorTest,
                         ::testing::Values(MarkCase{255, 0}, MarkCase{201, 54}, MarkCase{200, 0},
                                           MarkCase{151, 0}, MarkCase{150, 255}, MarkCase{100, 255},
                                           MarkCase{99, 156}, MarkCase{0, 255}));

TEST(OutlineTest, RectangleAndPointEdgesInScreenCoordinates) {
  TSelectionClass s;
  s.X1 = 2, s.Y1 = 1, s.X2 = 4, s.Y2 = 3;
  auto pts = AsSet(OutlinePoints(s, {2.0, 1, 0, 100, 100}));
  // Image (2,1)-(4,3) at zoom 2 and scroll x 1: screen (3,2)-(7,6).
  EXPECT_EQ(pts.size(), 16u);
  EXPECT_TRUE(pts.count({3, 2}) && pts.count({7, 6}) && pts.count({5, 2}) && pts.count({3, 4}));
  EXPECT_FALSE(pts.count({5, 4}));
  // A point is a five by five square around it.
  s.Kind = SelKind::Point;
  s.X1 = s.X2 = 10, s.Y1 = s.Y2 = 10;
  pts = AsSet(OutlinePoints(s, {1.0, 0, 0, 50, 50}));
  EXPECT_EQ(pts.size(), 16u);
  EXPECT_TRUE(pts.count({8, 8}) && pts.count({12, 12}));
}

TEST(OutlineTest, NothingOrPaintingDrawsNothing) {
  TSelectionClass s;
  EXPECT_TRUE(OutlinePoints(s, {1.0, 0, 0, 50, 50}).empty());
  s.X1 = s.Y1 = 1, s.X2 = s.Y2 = 5;
  s.Kind = SelKind::PaintLine;
  EXPECT_TRUE(OutlinePoints(s, {1.0, 0, 0, 50, 50}).empty());
}

TEST(OutlineTest, CircleDots) {
  TSelectionClass s;
  s.Kind = SelKind::Circle;
  s.X1 = 20, s.Y1 = 20, s.X2 = s.Y2 = 5;
  auto pts = OutlinePoints(s, {1.0, 0, 0, 100, 100});
  EXPECT_EQ(pts.size(), 51u);  // max(10·5, 10) + 1
  for (auto p : pts) {
    double d = std::hypot(p.X - 20.0, p.Y - 20.0);
    EXPECT_NEAR(d, 5.0, 0.75);
  }
  s.X2 = s.Y2 = 0;
  EXPECT_EQ(OutlinePoints(s, {1.0, 0, 0, 100, 100}).size(), 11u);
}

// Far-away vertices are cut to the view before rasterising: only visible
// pixels come back, and quickly.
TEST(OutlineTest, PolygonIsClippedToTheView) {
  TSelectionClass s;
  s.Kind = SelKind::Polygon;
  for (TPoint p : {TPoint{1, 1}, TPoint{2000000000, 1}, TPoint{1, 2000000000}})
    s.Polygon.AddPoint(p.X, p.Y);
  auto pts = OutlinePoints(s, {20.0, 0, 0, 64, 48});
  ASSERT_FALSE(pts.empty());
  for (auto p : pts) {
    EXPECT_GE(p.X, 0);
    EXPECT_LT(p.X, 64);
    EXPECT_GE(p.Y, 0);
    EXPECT_LT(p.Y, 48);
  }
  // Vertex (1,1) is screen (20,20); its two edges run right and down out of view.
  auto set = AsSet(pts);
  EXPECT_TRUE(set.count({20, 20}) && set.count({63, 20}) && set.count({20, 47}));
  EXPECT_EQ(set.size(), 44u + 28u - 1u);
}

TEST(OutlineTest, ZoomZeroDrawsAtOne) {
  TSelectionClass s;
  s.X1 = 2, s.Y1 = 2, s.X2 = 6, s.Y2 = 6;
  EXPECT_EQ(AsSet(OutlinePoints(s, {0.0, 0, 0, 50, 50})),
            AsSet(OutlinePoints(s, {1.0, 0, 0, 50, 50})));
}
