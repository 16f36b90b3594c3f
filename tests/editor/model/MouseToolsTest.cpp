#include <gtest/gtest.h>

#include "editor/model/MouseTools.h"
#include "editor/model/TestViews.h"

using namespace lumarte::editor;
using namespace lumarte::editor::testing;

namespace {

constexpr auto Left = TMouseButton::Left;

class MouseToolsTest : public ::testing::Test, public EditorFixture {
 protected:
  MouseTools tools{sel};

  void Wait(double s) { view.Clock += s; }
  // A drag through the points, one move every 0.1 s, released at the last.
  void Drag(std::initializer_list<TPoint> pts) {
    auto it = pts.begin();
    tools.Press(Left, it->X, it->Y);
    TPoint last = *it;
    for (++it; it != pts.end(); ++it) {
      Wait(0.1);
      tools.Move(it->X, it->Y, true);
      last = *it;
    }
    Wait(0.1);
    tools.Release(Left, last.X, last.Y);
    Wait(0.5);
  }
  void Click(int x, int y) {
    tools.Press(Left, x, y);
    Wait(0.25);  // long enough not to count as a clearing click
    tools.Release(Left, x, y);
    Wait(0.5);
  }
  TRect Bounds() { return sel.GetSelectionBounds(); }
};

}  // namespace

TEST_F(MouseToolsTest, RectangleFromColumnZeroAndBeyondTheLeftEdge) {
  Drag({{0, 5}, {6, 9}, {12, 14}});
  EXPECT_EQ(Bounds(), (TRect{0, 5, 12, 14}));
  EXPECT_EQ(view.SelStatus, "Sel: (0,5) (12,14)");
  EXPECT_TRUE(sel.InSelection(0, 5));
  EXPECT_FALSE(sel.InSelection(13, 5));
  Drag({{10, 10}, {-30, 2}});  // stops at column 0
  EXPECT_EQ(Bounds(), (TRect{0, 2, 10, 10}));
}

TEST_F(MouseToolsTest, QuickClickClearsTheSelection) {
  Drag({{2, 2}, {20, 20}});
  ASSERT_EQ(S().X2, 20);
  tools.Press(Left, 30, 25);
  Wait(0.1);
  tools.Release(Left, 30, 25);
  EXPECT_EQ(S().X1, -1);
  EXPECT_EQ(Bounds(), (TRect{0, 0, 39, 29}));
  EXPECT_EQ(sel.SelectionAnchor(), (TPoint{30, 25}));  // the click still anchors fills
  // A slow press released near its start selects nothing either.
  Drag({{2, 2}, {20, 20}});
  tools.Press(Left, 10, 10);
  Wait(0.3);
  tools.Release(Left, 11, 10);
  EXPECT_EQ(S().X1, -1);
}

TEST_F(MouseToolsTest, PressSoonAfterAReleaseIsIgnored) {
  Drag({{2, 2}, {20, 20}});
  view.Clock = S().ReleaseTime + 0.1;
  tools.Press(Left, 5, 5);
  EXPECT_EQ(S().X1, 2);
  Wait(0.1);
  tools.Move(9, 9, false);  // and so is a move
  EXPECT_EQ(sel.StatusPoint, (TPoint{9, 9}));
}

TEST_F(MouseToolsTest, RectangleUpdatesAreThrottled) {
  tools.Press(Left, 5, 5);
  Wait(0.1);
  tools.Move(10, 10, true);
  Wait(0.01);  // under 1/16 s since the last update
  tools.Move(20, 20, true);
  EXPECT_EQ(S().X2, 10);
  Wait(0.06);
  tools.Move(21, 20, true);  // due and 21 pixels from the last update (10, 10)
  EXPECT_EQ(S().X2, 21);
  Wait(0.1);
  tools.Move(22, 20, true);  // 1 pixel away: ignored
  EXPECT_EQ(S().X2, 21);
}

TEST_F(MouseToolsTest, CircleRadiusAndClamping) {
  sel.LMCircle1Click();
  Drag({{10, 10}, {13, 14}});
  EXPECT_EQ(S().X2, 5);
  EXPECT_EQ(Bounds(), (TRect{5, 5, 15, 15}));
  // Dragged far outside: the pointer is held at the image edge (39, 10).
  Drag({{30, 10}, {500, 10}});
  EXPECT_EQ(S().X2, 9);
}

TEST_F(MouseToolsTest, PolygonClicksDragAndDelete) {
  sel.LMPolygon1Click();
  Click(5, 5);
  Click(25, 5);
  Click(25, 20);
  Click(15, 4);  // near the top edge: goes in between 0 and 1
  ASSERT_EQ(S().Polygon.Count(), 4);
  EXPECT_EQ(S().Polygon.Point(1), (TPoint{15, 4}));
  EXPECT_TRUE(sel.InSelection(20, 10));

  // Drag vertex 2 (25,5) by pressing within distance 2 of it.
  Drag({{26, 6}, {30, 8}, {35, 2}});
  EXPECT_EQ(S().Polygon.Point(2), (TPoint{35, 2}));
  EXPECT_EQ(S().Polygon.Count(), 4);
  EXPECT_EQ(Bounds(), (TRect{5, 2, 35, 20}));

  // Hover over vertex 3 and press Delete.
  tools.Move(24, 21, false);
  EXPECT_TRUE(view.DragCursor);
  tools.DeleteKey(true);
  tools.DeleteKey(false);
  EXPECT_EQ(S().Polygon.Count(), 3);
  tools.Move(12, 12, false);
  EXPECT_FALSE(view.DragCursor);
}

TEST_F(MouseToolsTest, HoldingDeleteWhileMovingDeletesVertices) {
  sel.LMPolygon1Click();
  for (TPoint p : {TPoint{5, 5}, TPoint{25, 5}, TPoint{25, 20}, TPoint{5, 20}}) Click(p.X, p.Y);
  tools.DeleteKey(true);
  tools.Move(25, 5, false);
  tools.Move(5, 20, false);
  tools.DeleteKey(false);
  tools.Move(5, 5, false);
  EXPECT_EQ(S().Polygon.Count(), 2);
}

TEST_F(MouseToolsTest, FreehandSelectionCollectsPointsAndBuildsTheMask) {
  sel.LMFreehand1Click();
  Drag({{5, 5}, {15, 5}, {25, 5}, {25, 15}, {25, 25}, {15, 25}, {5, 25}, {5, 15}});
  EXPECT_EQ(S().Kind, SelKind::Freehand);
  EXPECT_EQ(S().Polygon.Count(),
            8);  // the press point, five buffered and one flushed, then the last
  EXPECT_FALSE(S().Polygon.MaskStale(40, 30));
  EXPECT_TRUE(sel.InSelection(15, 15));
  EXPECT_FALSE(sel.InSelection(30, 15));
  // With the setting on, the freehand outline becomes an editable polygon.
  sel.PolygonSelectAfterFreehandSelect = [] { return true; };
  sel.LMFreehand1Click();
  Drag({{5, 5}, {25, 5}, {25, 25}, {5, 25}});
  EXPECT_EQ(S().Kind, SelKind::Polygon);
  EXPECT_EQ(S().Polygon.Count(), 4);
  EXPECT_TRUE(sel.InSelection(15, 15));
}

TEST_F(MouseToolsTest, FreehandThinsOutNearbyPoints) {
  sel.LMFreehand1Click();
  view.Dice = {9, 0};  // first nearby point dropped (9 >= 4), second kept
  tools.Press(Left, 5, 5);
  Wait(0.1);
  tools.Move(10, 5, true);  // buffered
  Wait(0.1);
  tools.Move(12, 5, true);  // 2 from the last buffered: dropped by the dice
  Wait(0.1);
  tools.Move(14, 5, true);  // 4 from the last buffered point: buffered
  Wait(0.1);
  tools.Move(16, 5, true);  // 2 from (14, 5): kept by the dice
  EXPECT_EQ(S().StrokeCount, 3);
  EXPECT_EQ(S().StrokeBuffer[1], (TPoint{14, 5}));
}

TEST_F(MouseToolsTest, FreehandStrokeIsOneUndoStep) {
  colours.FG = TColorEntry::FromRGB(255, 0, 0);
  const TBitmap before = *docs.Current().Bitmap;
  tools.LMFreehand2Click();
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
  Drag({{2, 2}, {10, 2}, {10, 10}});
  Drag({{20, 20}, {30, 20}});
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
  EXPECT_TRUE(docs.Current().Modified);
  const TBitmap& img = *docs.Current().Bitmap;
  EXPECT_EQ(img.Pixel(5, 2), RGBColor(255, 0, 0));
  EXPECT_EQ(img.Pixel(10, 6), RGBColor(255, 0, 0));
  EXPECT_EQ(img.Pixel(25, 20), RGBColor(255, 0, 0));
  EXPECT_EQ(img.Pixel(15, 15), before.Pixel(15, 15));
  docs.LMUndo1Click();
  EXPECT_EQ(*docs.Current().Bitmap, before);
}

TEST_F(MouseToolsTest, PaintingAfterAnotherChangeStartsANewStep) {
  S().Kind = SelKind::PaintFreehand;  // the mode without a painting run yet
  Drag({{2, 2}, {10, 2}});
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
  docs.PushUndo();  // some other edit
  Drag({{2, 8}, {10, 8}});
  EXPECT_EQ(docs.Current().UndoDepth(), 3);
}

TEST_F(MouseToolsTest, PaintLineClicksDrawAPolyline) {
  colours.FG = TColorEntry::FromRGB(0, 0, 255);
  colours.PenWidth = 3;
  tools.LMLine1Click();
  EXPECT_TRUE(docs.Current().Modified);
  Click(5, 5);
  Click(20, 5);
  Click(20, 15);
  const TBitmap& img = *docs.Current().Bitmap;
  EXPECT_EQ(img.Pixel(12, 5), RGBColor(0, 0, 255));
  EXPECT_EQ(img.Pixel(12, 6), RGBColor(0, 0, 255));  // a 3-pixel pen
  EXPECT_EQ(img.Pixel(20, 10), RGBColor(0, 0, 255));
  EXPECT_NE(img.Pixel(12, 10), RGBColor(0, 0, 255));
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
  EXPECT_GE(view.Redraws, 3);
}

// The painting flag belongs to the window; a stroke in another document
// still starts that document's own undo step.
TEST_F(MouseToolsTest, PaintingRunDoesNotFollowIntoAnotherDocument) {
  tools.LMFreehand2Click();
  Drag({{2, 2}, {10, 2}});
  docs.AddDocument(std::make_unique<TBitmap>(Gradient(20, 20)), "second.bmp");
  S().Kind = SelKind::PaintFreehand;
  Drag({{2, 2}, {10, 2}});
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
}

TEST_F(MouseToolsTest, NoPaintingOnThePlaceholder) {
  docs.LMClose1Click();
  ASSERT_FALSE(docs.Current().InUse);
  const TBitmap before = *docs.Current().Bitmap;
  S().Kind = SelKind::PaintFreehand;
  Drag({{0, 0}, {1, 1}});
  EXPECT_EQ(*docs.Current().Bitmap, before);
}

TEST_F(MouseToolsTest, RightButtonOpensThePopup) {
  tools.Press(TMouseButton::Right, 3, 3);
  EXPECT_EQ(view.Popups, 1);
  EXPECT_EQ(S().X1, -1);
}
