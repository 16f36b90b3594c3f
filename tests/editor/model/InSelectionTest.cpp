#include <gtest/gtest.h>

#include <random>

#include "editor/model/SelectionTest.h"
#include "editor/model/TestViews.h"
#include "imaging/Errors.h"
#include "support/Selections.h"

using namespace lumarte;
using namespace lumarte::editor;
using lumarte::editor::testing::Gradient;
using namespace lumarte::fixtures;

namespace {

constexpr int W = 40, H = 30;

int CountSelected(const TSelectionTest& t) {
  int n = 0;
  for (int y = -3; y < H + 3; ++y)
    for (int x = -3; x < W + 3; ++x) n += t.InSelection(x, y);
  return n;
}

// The selection rules read literally, pixel by pixel, as the reference for
// the precomputed test.
bool Reference(TSelectionClass& s, const TBitmap& img, const TSelectByColor& c, int x, int y) {
  if (x < 0 || y < 0 || x >= img.Width() || y >= img.Height()) return false;
  TRect b = GetSelectionBounds(s, img.Width(), img.Height());
  TColor p = img.Pixel(x, y);
  int64_t db = BlueOf(p) - c.Blue, dg = GreenOf(p) - c.Green, dr = RedOf(p) - c.Red;
  bool colour = !s.ByColor || db * db + dg * dg + dr * dr < int64_t{c.Width} * c.Width;
  if (s.Kind == SelKind::Point && s.X2 >= 0) return x == s.X2 && y == s.Y2 && colour;
  if (s.Kind == SelKind::Circle && s.X2 >= 0) {
    int64_t dx = x - s.X1, dy = y - s.Y1;
    return dx * dx + dy * dy <= int64_t{s.X2} * s.X2 && colour;
  }
  if (s.IsPolygonKind() && s.Polygon.Count() >= 1) {
    if (s.Polygon.MaskStale(img.Width(), img.Height()))
      s.Polygon.BuildMask(img.Width(), img.Height());
    return s.Polygon.IsInside(x, y) && colour;
  }
  return x >= b.Left && x <= b.Right && y >= b.Top && y <= b.Bottom && colour;
}

}  // namespace

TEST(InSelectionTest, NothingSelectedIsTheWholeImage) {
  TBitmap img = Gradient(W, H);
  TSelectionClass s;
  TSelectionTest t(s, img, {});
  EXPECT_TRUE(t.SelectsAll());
  EXPECT_EQ(CountSelected(t), W * H);
  EXPECT_EQ(SelectionStatusText(t.Bounds()), "Sel: (0,0) (39,29)");
  EXPECT_FALSE(s.BoundsDirty);
}

TSelectionClass Point(int x, int y) {
  TSelectionClass s;
  s.Kind = SelKind::Point;
  s.X1 = s.X2 = x, s.Y1 = s.Y2 = y;
  return s;
}

// Bounds and pixel counts of single shapes; which pixels pass is compared
// with the rules over many random shapes below.
struct TShapeCase {
  const char* Name;
  TSelectionClass Shape;
  TRect Bounds;
  int Selected;
};

class ShapeSelection : public ::testing::TestWithParam<TShapeCase> {};

TEST_P(ShapeSelection, BoundsAndPixels) {
  TBitmap img = Gradient(W, H);
  TSelectionClass s = GetParam().Shape;
  TSelectionTest t(s, img, {});  // builds a stale polygon mask itself
  EXPECT_EQ(t.Bounds(), GetParam().Bounds);
  EXPECT_EQ(CountSelected(t), GetParam().Selected);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapeSelection,
    ::testing::Values(
        TShapeCase{
            "RectangleDraggedUpwardsLeft", RectSelection(10, 10, 5, 20), {5, 10, 10, 20}, 6 * 11},
        TShapeCase{"RectangleStopsAtTheImageEdge",
                   RectSelection(30, 25, 100, 100),
                   {30, 25, 39, 29},
                   10 * 5},
        // Corners that coincide select the whole image.
        TShapeCase{"RectangleOfOnePoint", RectSelection(7, 7, 7, 7), {0, 0, 39, 29}, W* H},
        TShapeCase{"CircleOfRadiusZeroIsItsCentre", CircleSelection(12, 9, 0), {12, 9, 12, 9}, 1},
        // The quarter disc x, y >= 0 with x² + y² <= 9; nothing outside the image.
        TShapeCase{"CircleAtTheCorner", CircleSelection(0, 0, 3), {0, 0, 3, 3}, 11},
        TShapeCase{"PointIsOnePixel", Point(3, 4), {3, 4, 3, 4}, 1}),
    [](const auto& info) { return std::string(info.param.Name); });

struct ByColorCase {
  int Width;
  int Expected;  // pixels of the 40 × 30 gradient that pass
};

class ByColorTest : public ::testing::TestWithParam<ByColorCase> {};

// The gradient has red = x, green = y, blue = 7: reference (red 5, green 6,
// blue 7) is one pixel; width 2 adds the eight neighbours (d² <= 2 < 4).
TEST_P(ByColorTest, WidthIsAStrictRadius) {
  TBitmap img = Gradient(W, H);
  TSelectionClass s;
  s.ByColor = true;
  TSelectionTest t(s, img, {5, 6, 7, GetParam().Width});
  EXPECT_EQ(CountSelected(t), GetParam().Expected);
  EXPECT_FALSE(t.SelectsAll());
}

INSTANTIATE_TEST_SUITE_P(Widths, ByColorTest,
                         ::testing::Values(ByColorCase{0, 0}, ByColorCase{1, 1}, ByColorCase{2, 9},
                                           ByColorCase{3, 25}));

TEST(InSelectionTest, EmptyImageIsAnInternalError) {
  TBitmap img;
  TSelectionClass s;
  EXPECT_THROW(TSelectionTest(s, img, {}), EAssertionFailed);
}

// Random shapes of every kind and random colour gates: the precomputed test
// gives exactly what the rules give, inside and around the image.
TEST(InSelectionTest, AgreesWithTheRulesOnRandomSelections) {
  std::mt19937 rng(42);
  auto coord = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  TBitmap img = Gradient(W, H);
  for (int round = 0; round < 300; ++round) {
    TSelectionClass s;
    s.Kind = std::array<int32_t, 6>{0, 1, 2, 3, 4, 64}[round % 6];
    s.X1 = coord(-2, W + 5), s.Y1 = coord(-2, H + 5);
    s.X2 = coord(-2, W + 5), s.Y2 = s.Kind == SelKind::Circle ? s.X2 : coord(-2, H + 5);
    if (s.IsPolygonKind())
      for (int i = coord(0, 7); i > 0; --i)
        s.Polygon.AddPoint(coord(-10, W + 10), coord(-10, H + 10));
    s.ByColor = round % 3 == 0;
    TSelectByColor c{coord(0, 60), coord(0, 60), coord(0, 20), coord(0, 30)};
    TSelectionTest t(s, img, c);
    for (int y = -2; y < H + 2; ++y)
      for (int x = -2; x < W + 2; ++x)
        ASSERT_EQ(t.InSelection(x, y), Reference(s, img, c, x, y))
            << "round " << round << " kind " << s.Kind << " at " << x << "," << y;
    // The row runs the pixel operations walk hold exactly the passing pixels,
    // in order and without overlap.
    for (int y = -2; y < H + 2; ++y) {
      std::vector<bool> inRuns(W, false);
      int next = 0;
      t.ForEachRun(y, [&](int first, int last) {
        ASSERT_LE(next, first) << "round " << round << " row " << y;
        ASSERT_LE(first, last);
        for (int x = first; x <= last; ++x) inRuns.at(static_cast<size_t>(x)) = true;
        next = last + 2;  // adjacent runs would be one
      });
      for (int x = 0; x < W; ++x)
        ASSERT_EQ(inRuns[static_cast<size_t>(x)], t.InSelection(x, y))
            << "round " << round << " kind " << s.Kind << " at " << x << "," << y;
    }
  }
}
