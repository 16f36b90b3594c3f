#include <gtest/gtest.h>

#include "editor/model/SelectionEdit.h"
#include "editor/model/TestViews.h"
#include "support/Selections.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::editor::testing;
using namespace lumarte::fixtures;

namespace {

class SelectionCommandsTest : public ::testing::Test, public EditorFixture {
 protected:
  void SetRect(int x1, int y1, int x2, int y2) { S() = RectSelection(x1, y1, x2, y2); }
  void SetCircle(int cx, int cy, int r) { S() = CircleSelection(cx, cy, r); }
  void SetPolygon(std::initializer_list<TPoint> pts) {
    S() = PolygonSelection(pts);
    S().X1 = S().Y1 = 0;
  }
};

}  // namespace

// With nothing selected the whole image; else the block ending before
// SelRight and SelBottom, without the shape.
TEST_F(SelectionCommandsTest, CopyTakesTheBoundsBlock) {
  MemoryClipboard clip;
  sel.LMCopy1Click(clip);
  ASSERT_TRUE(clip.Held);
  EXPECT_EQ(*clip.Held, *docs.Current().Bitmap);
  SetCircle(10, 10, 3);
  sel.LMCopy1Click(clip);
  ASSERT_TRUE(clip.Held);
  EXPECT_EQ(clip.Held->Width(), 6);
  EXPECT_EQ(clip.Held->Height(), 6);
  EXPECT_EQ(clip.Held->Pixel(0, 0), docs.Current().Bitmap->Pixel(7, 7));
}

// A polygon moved partly off the image copies and trims to the image's part
// of its box.
TEST_F(SelectionCommandsTest, CopyAndTrimKeepToTheImage) {
  MemoryClipboard clip;
  SetPolygon({{-100, -100}, {10, -100}, {10, 8}, {-100, 8}});
  sel.LMCopy1Click(clip);
  ASSERT_TRUE(clip.Held);
  EXPECT_EQ(clip.Held->Width(), 10);
  EXPECT_EQ(clip.Held->Height(), 8);
  sel.LMTrim1Click();
  EXPECT_EQ(*docs.Current().Bitmap, *clip.Held);
  EXPECT_EQ(docs.Current().Bitmap->Pixel(3, 4), RGBColor(3, 4, 7));
}

TEST_F(SelectionCommandsTest, CopyAndTrimOfAOnePixelWideSelectionAreRefused) {
  MemoryClipboard clip;
  SetRect(5, 3, 5, 12);
  const std::string tooSmall = "Selection too small. Either Width or Height = 0";
  EXPECT_EQ(Message([&] { sel.LMCopy1Click(clip); }), tooSmall);
  EXPECT_FALSE(clip.Held);
  EXPECT_EQ(Message([&] { sel.LMTrim1Click(); }), tooSmall);
  EXPECT_EQ(docs.Current().Bitmap->Width(), 40);
  EXPECT_EQ(docs.Current().UndoDepth(), 0);
}

TEST_F(SelectionCommandsTest, TrimOfACircleFillsTheCornersWithBackground) {
  colours.BG = TColorEntry::FromRGB(1, 2, 3);
  SetCircle(20, 15, 5);
  sel.LMTrim1Click();
  const TBitmap& b = *docs.Current().Bitmap;
  ASSERT_EQ(b.Width(), 10);
  ASSERT_EQ(b.Height(), 10);
  EXPECT_EQ(b.Pixel(0, 0), RGBColor(1, 2, 3));
  EXPECT_EQ(b.Pixel(9, 0), RGBColor(1, 2, 3));
  EXPECT_EQ(b.Pixel(5, 5), RGBColor(20, 15, 7));  // the centre, from the gradient
  EXPECT_EQ(b.Pixel(5, 0), RGBColor(20, 10, 7));  // top of the circle
  EXPECT_TRUE(docs.Current().Modified);
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
  EXPECT_EQ(S().X1, -1);  // Select All ran
  EXPECT_EQ(view.Resizes, 1);
  EXPECT_EQ(view.SelStatus, "Sel: (0,0) (9,9)");
}

struct MoveCase {
  const char* Name;
  int32_t Kind;
  TMoveTarget Target;
  TRect Before;  // X1, Y1, X2, Y2
  TRect After;
};

class MoveToPointTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveToPointTest, MovesTheShape) {
  const MoveCase& c = GetParam();
  TSelectionClass s;
  s.Kind = c.Kind;
  s.X1 = c.Before.Left, s.Y1 = c.Before.Top, s.X2 = c.Before.Right, s.Y2 = c.Before.Bottom;
  s.BoundsDirty = false;
  MoveSelectionTo(s, c.Target, {20, 10}, 40, 30);
  EXPECT_EQ((TRect{s.X1, s.Y1, s.X2, s.Y2}), c.After);
  if (!(c.After == c.Before)) {
    EXPECT_TRUE(s.BoundsDirty);
  }
}

using MT = TMoveTarget;
INSTANTIATE_TEST_SUITE_P(
    Shapes, MoveToPointTest,
    ::testing::Values(
        // Rectangles move one corner to P (the smaller or larger coordinates)...
        MoveCase{"RectLeftTop", SelKind::Rectangle, MT::LeftTop, {30, 25, 5, 2}, {30, 25, 20, 10}},
        MoveCase{
            "RectRightBottom", SelKind::Rectangle, MT::RightBottom, {30, 25, 5, 2}, {20, 10, 5, 2}},
        // ...or both corners so that the truncated middle is P.
        MoveCase{"RectCentre", SelKind::Rectangle, MT::Centre, {0, 0, 5, 3}, {18, 9, 23, 12}},
        MoveCase{"NothingBecomesPoint",
                 SelKind::Rectangle,
                 MT::RightBottom,
                 {-1, -1, -1, -1},
                 {20, 10, 20, 10}},
        MoveCase{"Point", SelKind::Point, MT::Centre, {3, 3, 3, 3}, {20, 10, 20, 10}},
        MoveCase{"CircleLeftTop", SelKind::Circle, MT::LeftTop, {5, 5, 4, 4}, {24, 14, 4, 4}},
        MoveCase{
            "CircleRightBottom", SelKind::Circle, MT::RightBottom, {5, 5, 4, 4}, {16, 6, 4, 4}},
        MoveCase{"CircleCentre", SelKind::Circle, MT::Centre, {5, 5, 4, 4}, {20, 10, 4, 4}},
        MoveCase{"NoCircleStays", SelKind::Circle, MT::Centre, {-1, -1, -1, -1}, {-1, -1, -1, -1}},
        MoveCase{"PaintModeStays", SelKind::PaintLine, MT::Centre, {1, 2, -1, -1}, {1, 2, -1, -1}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(MoveSelectionTest, PolygonMovesWholeAndRebuildsItsMask) {
  TSelectionClass s;
  s.Kind = SelKind::Polygon;
  for (TPoint p : {TPoint{2, 2}, TPoint{8, 2}, TPoint{8, 6}}) s.Polygon.AddPoint(p.X, p.Y);
  MoveSelectionTo(s, TMoveTarget::RightBottom, {30, 20}, 40, 30);
  EXPECT_EQ(s.Polygon.VertexBox(), (TRect{24, 16, 30, 20}));
  EXPECT_FALSE(s.Polygon.MaskStale(40, 30));
  MoveSelectionTo(s, TMoveTarget::Centre, {10, 10}, 40, 30);
  EXPECT_EQ(s.Polygon.VertexBox(), (TRect{7, 8, 13, 12}));
  MoveSelectionTo(s, TMoveTarget::LeftTop, {0, 1}, 40, 30);
  EXPECT_EQ(s.Polygon.Point(0), (TPoint{0, 1}));
}

TEST_F(SelectionCommandsTest, MoveCommandsUseThePointerPoint) {
  SetRect(1, 1, 4, 4);
  sel.toLeftTop1Click();  // no pointer point yet: nothing happens
  EXPECT_EQ(S().X1, 1);
  sel.StatusPoint = {9, 8};
  sel.toCenter1Click();
  EXPECT_EQ((TRect{S().X1, S().Y1, S().X2, S().Y2}), (TRect{8, 7, 11, 10}));
  EXPECT_EQ(view.SelStatus, "Sel: (8,7) (11,10)");
}

TEST_F(SelectionCommandsTest, CentreAndAnchor) {
  SetCircle(7, 9, 30);
  EXPECT_EQ(sel.SelectionCentreX(), 7);  // the centre, not the clamped bounds' middle
  EXPECT_EQ(sel.SelectionCentreY(), 9);
  SetRect(3, 4, 8, 9);
  EXPECT_EQ(sel.SelectionCentreX(), 5);  // (3 + 8) / 2 truncated
  EXPECT_EQ(sel.SelectionCentreY(), 6);
  EXPECT_EQ(sel.SelectionAnchor(), (TPoint{3, 4}));
  sel.LastPressed = {12, 13};
  EXPECT_EQ(sel.SelectionAnchor(), (TPoint{12, 13}));
}

TEST_F(SelectionCommandsTest, BrightnessStatsOfTheSelectedPixels) {
  // The gradient's red is x: a 1 × 5 strip has red 10..14, green 4, blue 7.
  SetRect(10, 4, 14, 4);
  TBrightnessStats r = sel.SelectionBrightnessStats(0, 0, 1);
  EXPECT_DOUBLE_EQ(r.Median, 12);
  EXPECT_DOUBLE_EQ(r.Minimum, 10);
  EXPECT_DOUBLE_EQ(r.Maximum, 14);
  TBrightnessStats m = sel.SelectionBrightnessStats(1, 1, 2);  // (7 + 4 + 2·red) / 4
  EXPECT_DOUBLE_EQ(m.Median, (7 + 4 + 24) / 4.0);
  // Four pixels: the entry at index 2 of the sorted list is the median.
  SetRect(10, 4, 13, 4);
  EXPECT_DOUBLE_EQ(sel.SelectionBrightnessStats(0, 0, 1).Median, 12);
  // Nothing passes the colour gate: no values, all zero.
  S().ByColor = true;
  sel.SelectByColor() = {200, 200, 200, 1};
  EXPECT_DOUBLE_EQ(sel.SelectionBrightnessStats(1, 1, 1).Maximum, 0);
}

TEST_F(SelectionCommandsTest, ModeCommands) {
  SetPolygon({{1, 1}, {9, 1}, {9, 9}});
  S().ByColor = true;
  sel.LMCircle1Click();
  EXPECT_EQ(S().Kind, SelKind::Circle);
  EXPECT_EQ(S().X1, -1);
  EXPECT_FALSE(S().ByColor);
  EXPECT_TRUE(S().ShapeMode);
  EXPECT_EQ(view.ModeChanges, 1);
  sel.LMPolygon1Click();  // from circle: vertices cleared
  EXPECT_EQ(S().Polygon.Count(), 0);

  SetPolygon({{1, 1}, {9, 1}, {9, 9}});
  S().Kind = SelKind::Freehand;
  sel.LMPolygon1Click();  // from freehand: vertices kept for editing
  EXPECT_EQ(S().Polygon.Count(), 3);
  EXPECT_EQ(view.SelStatus, "Sel: (1,1) (9,9)");
  sel.LMRectangle1Click();
  EXPECT_EQ(S().Polygon.Count(), 0);

  SetRect(2, 2, 6, 6);
  sel.LMbyColor1Click();  // the shape stays, the colour gate joins it
  EXPECT_EQ(view.ByColorDialogs, 1);
  EXPECT_TRUE(S().ByColor);
  EXPECT_EQ(S().X2, 6);
}

TEST_F(SelectionCommandsTest, ClearSelectionForgetsThePressedPointUnlessHeld) {
  SetPolygon({{1, 1}, {9, 1}, {9, 9}});
  sel.LastPressed = {4, 4};
  sel.LeftButtonHeld = true;
  sel.ClearSelection();
  EXPECT_EQ(S().Polygon.Count(), 0);
  EXPECT_EQ(S().X1, -1);
  EXPECT_EQ(sel.LastPressed, (TPoint{4, 4}));
  sel.LeftButtonHeld = false;
  sel.LMSelectAll1Click();
  EXPECT_EQ(sel.LastPressed, (TPoint{-1, -1}));
  EXPECT_EQ(view.SelStatus, "Sel: (0,0) (39,29)");
}

TEST(ModeIconsTest, ToolAndShape) {
  using I = TModeIcon;
  TSelectionClass s;
  EXPECT_EQ(ModeIcons(s), (TModeIcons{I::Select, I::Rectangle}));
  s.Kind = SelKind::Circle;
  EXPECT_EQ(ModeIcons(s), (TModeIcons{I::Select, I::Circle}));
  s.ByColor = true;
  EXPECT_EQ(ModeIcons(s), (TModeIcons{I::Select, I::ByColor}));
  s.Kind = SelKind::PaintLine;
  EXPECT_EQ(ModeIcons(s), (TModeIcons{I::Paint, I::Line}));
  s.Kind = SelKind::PaintFreehand;
  EXPECT_EQ(ModeIcons(s), (TModeIcons{I::Paint, I::Freehand}));
}
