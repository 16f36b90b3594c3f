// Affine maps and the GDI shapes as paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "imaging/metafile/MetafileGeometry.h"

using namespace lumarte::imaging;

namespace {

size_t Count(const TMetaPath& p, TPathOp op) {
  return std::count(p.Ops.begin(), p.Ops.end(), op);
}

double MaxY(const TMetaPath& p) {
  double m = -1e9;
  for (const TPointD& q : p.Points) m = std::max(m, q.Y);
  return m;
}

void ExpectNear(TPointD a, TPointD b, double tolerance = 1e-9) {
  EXPECT_NEAR(a.X, b.X, tolerance);
  EXPECT_NEAR(a.Y, b.Y, tolerance);
}

const TAffine kIdentity;

}  // namespace

TEST(MetafileGeometry, MapSnapsToWholePixelsAndStaysFinite) {
  TAffine xf = TAffine::Scale(1.0000000001, 1);
  EXPECT_EQ(xf.Map(100, 3).X, 100);  // within a millionth: a whole pixel
  EXPECT_EQ(TAffine::Scale(0.5, 1).Map(3, 0).X, 1.5);
  EXPECT_EQ(TAffine::Scale(1e30, 1).Map(1e30, 0).X, 1 << 24);
  EXPECT_EQ(TAffine::Scale(1e30, 1).Map(-1e30, 0).X, -(1 << 24));
  TPointD lost = kIdentity.Map(NAN, 0);  // nothing reaches a painter as NaN
  EXPECT_TRUE(std::isfinite(lost.X) && std::isfinite(lost.Y));
}

TEST(MetafileGeometry, ProductAppliesTheRightFactorFirst) {
  TAffine scale = TAffine::Scale(2, 3), shift = TAffine::Scale(1, 1, 10, 20);
  ExpectNear((scale * shift).Map(1, 1), {22, 63});
  ExpectNear((shift * scale).Map(1, 1), {12, 23});
  EXPECT_DOUBLE_EQ((scale * shift).Determinant(), 6);
}

struct TArcCase {
  const char* Name;
  TAffine Map;
  bool Clockwise;
  size_t Cubics;   // quarter turns
  double LowestY;  // largest y the arc reaches on the output
};

class MetafileArc : public ::testing::TestWithParam<TArcCase> {};

// From the ray to the right (3 o'clock) to the ray upwards in logical space.
TEST_P(MetafileArc, TurnsCounterclockwiseOnTheOutputUnlessTold) {
  const TArcCase& c = GetParam();
  TMetaPath p = ArcPath(c.Map, 0, 0, 100, 100, 100, 50, 50, 0, c.Clockwise, TArcKind::Arc);
  EXPECT_EQ(p.Ops.front(), TPathOp::Move);
  EXPECT_EQ(Count(p, TPathOp::Cubic), c.Cubics);
  ExpectNear(p.Points.front(), c.Map.Map(100, 50), 1e-6);
  ExpectNear(p.Points.back(), c.Map.Map(50, 0), 1e-6);
  EXPECT_NEAR(MaxY(p), c.LowestY, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, MetafileArc,
    ::testing::Values(TArcCase{"ShortWayUp", {}, false, 1, 50},
                      TArcCase{"ClockwiseTheLongWay", {}, true, 3, 100},
                      // y flipped (a metric mapping mode): "up" in logical space is down on
                      // the output, so counterclockwise there is the long way round.
                      TArcCase{"MirroredMap", TAffine::Scale(1, -1, 0, 100), false, 3, 100},
                      TArcCase{"MirroredClockwise", TAffine::Scale(1, -1, 0, 100), true, 1, 100}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(MetafileGeometry, PieChordAndFullTurn) {
  TMetaPath pie = ArcPath(kIdentity, 0, 0, 100, 50, 100, 25, 0, 25, false, TArcKind::Pie);
  ASSERT_GE(pie.Ops.size(), 3u);
  EXPECT_EQ(pie.Ops[pie.Ops.size() - 2], TPathOp::Line);
  EXPECT_EQ(pie.Ops.back(), TPathOp::Close);
  ExpectNear(pie.Points.back(), {50, 25});  // back to the centre
  TMetaPath chord = ArcPath(kIdentity, 0, 0, 100, 50, 100, 25, 0, 25, false, TArcKind::Chord);
  EXPECT_EQ(Count(chord, TPathOp::Line), 0u);
  EXPECT_EQ(chord.Ops.back(), TPathOp::Close);
  // The ray ends on the ellipse, not at the given point.
  ExpectNear(chord.Points.back(), {0, 25}, 1e-9);
  TMetaPath full = ArcPath(kIdentity, 0, 0, 100, 50, 100, 25, 200, 25, false, TArcKind::Arc);
  EXPECT_EQ(Count(full, TPathOp::Cubic), 4u);
}

TEST(MetafileGeometry, EllipseStaysInItsBox) {
  TMetaPath e = EllipsePath(kIdentity, 10, 20, 50, 40);
  EXPECT_EQ(Count(e, TPathOp::Cubic), 4u);
  for (size_t i = 0; i < e.Points.size(); i += 3) {  // on-curve points
    EXPECT_GE(e.Points[i].X, 10 - 1e-9);
    EXPECT_LE(e.Points[i].X, 50 + 1e-9);
  }
  ExpectNear(e.Points[0], {50, 30});
  ExpectNear(e.Points[6], {10, 30});
}

TEST(MetafileGeometry, RoundRectCorners) {
  TMetaPath square = RoundRectPath(kIdentity, 0, 0, 40, 20, 0, 10);
  EXPECT_EQ(Count(square, TPathOp::Cubic), 0u);                 // no corner: a plain rectangle
  TMetaPath r = RoundRectPath(kIdentity, 40, 20, 0, 0, 10, 6);  // corners in any order
  EXPECT_EQ(Count(r, TPathOp::Cubic), 4u);
  ExpectNear(r.Points[0], {5, 0});
  // Corners larger than the box are cut to it: the straight parts vanish.
  TMetaPath pill = RoundRectPath(kIdentity, 0, 0, 40, 20, 100, 100);
  ExpectNear(pill.Points[0], {20, 0});
  ExpectNear(pill.Points[1], {20, 0});
}

TEST(MetafileGeometry, AngleArcRunsFromTheCurrentPoint) {
  TMetaPath p = AngleArcPath(kIdentity, 50, 50, 10, 0, 90);
  EXPECT_EQ(p.Ops.front(), TPathOp::Line);  // the line from the current position
  ExpectNear(p.Points.front(), {60, 50});
  ExpectNear(p.Points.back(), {50, 40}, 1e-9);  // 90 degrees counterclockwise: up
  EXPECT_EQ(AngleArcPath(kIdentity, 0, 0, 10, 0, -720).Ops.size(), 1u + 8u);
  // Absurd sweeps are cut to at most two laps, ending where they would have.
  TMetaPath lapping = AngleArcPath(kIdentity, 0, 0, 10, 0, 1e9);  // 1e9 = 280 mod 360
  EXPECT_LE(lapping.Ops.size(), 1u + 8u);
  double end = 280 * std::acos(-1.0) / 180;
  ExpectNear(lapping.Points.back(), {10 * std::cos(end), -10 * std::sin(end)}, 1e-6);
}
