#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/model/Polygon.h"

using namespace lumarte::editor;

namespace {

TPolygon Make(const std::vector<TPoint>& pts) {
  TPolygon p;
  for (auto q : pts) p.AddPoint(q.X, q.Y);
  return p;
}

// The mask as rows of '#' (inside) and '.' (outside or outline).
std::vector<std::string> MaskPicture(const TPolygon& p, int w, int h) {
  std::vector<std::string> rows;
  for (int y = 0; y < h; ++y) {
    std::string r;
    for (int x = 0; x < w; ++x) r += p.IsInside(x, y) ? '#' : '.';
    rows.push_back(r);
  }
  return rows;
}

int InsideCount(const TPolygon& p, int w, int h) {
  int n = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) n += p.IsInside(x, y);
  return n;
}

struct InsertCase {
  const char* Name;
  std::vector<TPoint> Start;
  TPoint New;
  int ExpectedIndex;
};

class InsertPointTest : public ::testing::TestWithParam<InsertCase> {};

}  // namespace

TEST_P(InsertPointTest, GoesIntoTheNearestEdge) {
  const auto& c = GetParam();
  TPolygon p = Make(c.Start);
  EXPECT_EQ(p.InsertPoint(c.New.X, c.New.Y), c.ExpectedIndex);
  ASSERT_EQ(p.Count(), static_cast<int>(c.Start.size()) + 1);
  EXPECT_EQ(p.Point(c.ExpectedIndex), c.New);
}

// Square 0,0 / 10,0 / 10,10 / 0,10: edges 0-1 top, 1-2 right, 2-3 bottom, 3-0 closing.
const std::vector<TPoint> kSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}};

INSTANTIATE_TEST_SUITE_P(
    Edges, InsertPointTest,
    ::testing::Values(InsertCase{"FewerThanThreeAppends", {{0, 0}, {10, 0}}, {5, 5}, 2},
                      InsertCase{"EmptyAppends", {}, {3, 4}, 0},
                      InsertCase{"TopEdge", kSquare, {5, -1}, 1},
                      InsertCase{"RightEdge", kSquare, {11, 5}, 2},
                      InsertCase{"BottomEdge", kSquare, {5, 12}, 3},
                      InsertCase{"ClosingEdgeAppends", kSquare, {-2, 5}, 4},
                      // Equally near the top and right edges: the first strictly nearer wins.
                      InsertCase{"TieKeepsFirstEdge", kSquare, {11, -1}, 1},
                      // Equally near the bottom and the closing edge: the closing edge wins ties.
                      InsertCase{"TieGoesToClosingEdge", kSquare, {-1, 11}, 4},
                      // Beyond the segment's end the distance is to the nearer end point.
                      // (25,1) is 1 from the top edge's line but beyond its end: 15.03 from
                      // it, while the right edge is 15 away.
                      InsertCase{"PastTheEndUsesEndPoint", kSquare, {25, 1}, 2}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PolygonTest, FindNearPointTriesGrowingRadii) {
  TPolygon p = Make({{0, 0}, {5, 5}, {7, 5}});
  EXPECT_EQ(p.FindNearPoint(5, 5, 3), 1);
  EXPECT_EQ(p.FindNearPoint(6, 5, 3), 1);  // both at distance 1: first in vertex order
  EXPECT_EQ(p.FindNearPoint(9, 5, 3), 2);  // distance 2 is found with radius 3
  // Vertex 2 is nearer (2) but vertex 1 (√8) also counts at r = 3 and comes first.
  EXPECT_EQ(p.FindNearPoint(7, 7, 3), 1);
  EXPECT_EQ(p.FindNearPoint(3, 5, 3), 1);   // distance 2
  EXPECT_EQ(p.FindNearPoint(2, 5, 3), -1);  // distance 3 is not
  EXPECT_EQ(p.FindNearPoint(5, 5, 0), -1);  // radius 0 finds nothing, not even exact hits
  EXPECT_EQ(p.FindNearPoint(6, 6, 2), 1);   // d² = 2 < 4
}

TEST(PolygonTest, IndexOfAndDeletePoint) {
  TPolygon p = Make({{1, 1}, {2, 2}, {3, 3}});
  EXPECT_EQ(p.IndexOfPoint(2, 2), 1);
  EXPECT_EQ(p.IndexOfPoint(9, 9), -1);
  p.DeletePoint(7);
  p.DeletePoint(-1);
  EXPECT_EQ(p.Count(), 3);
  p.DeletePoint(1);
  EXPECT_EQ(p.IndexOfPoint(3, 3), 1);
}

TEST(PolygonTest, GetBoundsNeedsTwoVertices) {
  TPolygon p;
  EXPECT_EQ(p.GetBounds(30, 20), (TRect{0, 0, 30, 20}));
  p.AddPoint(12, 4);
  EXPECT_EQ(p.GetBounds(30, 20), (TRect{0, 0, 30, 20}));
  p.AddPoint(3, 9);
  EXPECT_EQ(p.GetBounds(30, 20), (TRect{3, 4, 12, 9}));
  p.MovePoint(0, 40, -5);  // the cache follows every change
  EXPECT_EQ(p.GetBounds(30, 20), (TRect{3, -5, 40, 9}));
}

TEST(PolygonTest, OutlineIsOutsideInteriorInside) {
  TPolygon p = Make({{1, 1}, {6, 1}, {6, 4}, {1, 4}});
  p.BuildMask(8, 6);
  EXPECT_EQ(MaskPicture(p, 8, 6), (std::vector<std::string>{
                                      "........",
                                      "........",
                                      "..####..",
                                      "..####..",
                                      "........",
                                      "........",
                                  }));
  EXPECT_FALSE(p.IsInside(-1, 2));
  EXPECT_FALSE(p.IsInside(8, 2));
}

// The outline running along the top and left image borders must not cut
// the outside in two: the corner beyond a diagonal edge stays unselected.
TEST(PolygonTest, OutlineOnTheImageBorderKeepsOutsideOutside) {
  TPolygon p = Make({{0, 4}, {4, 0}, {9, 0}, {9, 9}, {0, 9}});
  p.BuildMask(10, 10);
  EXPECT_FALSE(p.IsInside(0, 0));
  EXPECT_FALSE(p.IsInside(1, 1));
  EXPECT_TRUE(p.IsInside(5, 5));
  EXPECT_TRUE(p.IsInside(3, 3));
}

// Vertices beyond the image: the part of the polygon inside the image is
// still selected, and a polygon around the whole image selects all of it.
TEST(PolygonTest, VerticesOutsideTheImage) {
  TPolygon around = Make({{-50, -50}, {100, -50}, {100, 100}, {-50, 100}});
  around.BuildMask(10, 8);
  EXPECT_EQ(InsideCount(around, 10, 8), 80);

  TPolygon half = Make({{-100, -100}, {4, -100}, {4, 1000}, {-100, 1000}});
  half.BuildMask(10, 8);
  for (int y = 0; y < 8; ++y) {
    EXPECT_TRUE(half.IsInside(0, y));
    EXPECT_TRUE(half.IsInside(3, y));
    EXPECT_FALSE(half.IsInside(4, y));  // the outline itself
    EXPECT_FALSE(half.IsInside(5, y));
  }
}

// Fewer than three vertices, or all of them far beyond the image.
TEST(PolygonTest, DegenerateOrFarPolygonsSelectNothing) {
  for (const auto& pts : std::vector<std::vector<TPoint>>{
           {{3, 3}}, {{1, 1}, {8, 6}}, {{1000, 1000}, {2000, 1000}, {2000, 2000}}}) {
    TPolygon p = Make(pts);
    p.BuildMask(10, 8);
    EXPECT_EQ(InsideCount(p, 10, 8), 0);
  }
}

// A figure-eight encloses two areas; both count as inside.
TEST(PolygonTest, SelfCrossingOutlineEnclosesBothLoops) {
  TPolygon p = Make({{1, 1}, {11, 9}, {11, 1}, {1, 9}});
  p.BuildMask(13, 11);
  EXPECT_TRUE(p.IsInside(2, 4));
  EXPECT_TRUE(p.IsInside(10, 4));
  EXPECT_FALSE(p.IsInside(6, 2));  // above the crossing, outside both loops
}

TEST(PolygonTest, MaskStaleness) {
  TPolygon p = Make({{1, 1}, {6, 1}, {6, 4}});
  EXPECT_TRUE(p.MaskStale(8, 6));
  p.BuildMask(8, 6);
  EXPECT_FALSE(p.MaskStale(8, 6));
  EXPECT_TRUE(p.MaskStale(9, 6));  // the image changed size
  p.Translate(1, 0);
  EXPECT_TRUE(p.MaskStale(8, 6));
}

TEST(PolygonTest, FarVerticesAreNeverNear) {
  TPolygon p = Make({{2147483647, -2147483647 - 1}, {-2147483647 - 1, 2147483647}, {1, 1}});
  EXPECT_EQ(p.FindNearPoint(-2147483647 - 1, 2147483647, 3), 1);
  EXPECT_EQ(p.FindNearPoint(2147483647, 2147483647, 3), -1);
  EXPECT_EQ(p.FindNearPoint(0, 0, 3), 2);
}
