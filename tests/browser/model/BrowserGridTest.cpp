#include <gtest/gtest.h>

#include "browser/model/BrowserGrid.h"
#include "browser/model/ThumbnailCache.h"

using namespace lumarte::browser;

namespace {

TEST(BrowserGrid, ColumnsRowsAndCells) {
  const struct {
    int Width, Height, Thumb;
    int Columns, Rows, CellWidth, CellHeight;
  } cases[] = {{640, 480, 100, 6, 4, 101, 114},  // 100 + (639 - 630) div 6
               {630, 105, 100, 6, 1, 100, 99},   // (629 - 630) div 6 truncates to 0
               {400, 400, 120, 3, 3, 128, 128},
               {60, 40, 100, 1, 1, 54, 34}};     // narrower than a cell: still one
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height);
    const TBrowserGrid g = ComputeGrid(c.Width, c.Height, c.Thumb, c.Thumb);
    EXPECT_EQ(g.Columns, c.Columns);
    EXPECT_EQ(g.Rows, c.Rows);
    EXPECT_EQ(g.CellWidth, c.CellWidth);
    EXPECT_EQ(g.CellHeight, c.CellHeight);
  }
}

TEST(BrowserGrid, LargestFitWithTheAspectRatio) {
  const struct {
    int W, H, CellW, CellH, FitW, FitH;
  } cases[] = {{40, 30, 100, 100, 100, 75},  // enlarged
               {1600, 1200, 100, 100, 100, 75},
               {30, 40, 100, 100, 75, 100},
               {200, 100, 101, 114, 101, 50},  // 50.5 to even
               {10000, 1, 100, 100, 100, 1},   // never 0 high
               {0, 10, 100, 100, 0, 10}};
  for (const auto& c : cases) {
    const TPlace p = FitInCell(c.W, c.H, c.CellW, c.CellH);
    EXPECT_EQ(p.Width, c.FitW) << c.W << " x " << c.H;
    EXPECT_EQ(p.Height, c.FitH) << c.W << " x " << c.H;
  }
}

TEST(BrowserGrid, SmallPictureSitsCentredTwelvePixelsDown) {
  TBrowserGrid g = ComputeGrid(630, 105, 100, 100);
  g.CellWidth = g.CellHeight = 100;
  TPlace fit = FitInCell(40, 30, 100, 100);
  TPlace at = CellPlace(g, 2, 0, fit.Width, fit.Height);
  EXPECT_EQ(at.X, 2 * 105 + 1);
  EXPECT_EQ(at.Y, 12 + 1);
}

TEST(BrowserGrid, ImageUnderTheMouse) {
  const TBrowserGrid g = ComputeGrid(640, 480, 100, 100);  // 6 × 4 cells of 101 × 114
  const struct {
    int X, Y, Index;
  } cases[] = {{0, 0, 12}, {105, 0, 12}, {106, 0, 13}, {0, 119, 18}, {5 * 106 + 100, 3 * 119, 35},
               {6 * 106 + 2, 0, -1},  // right of the columns
               {-1, 5, -1}};
  for (const auto& c : cases) EXPECT_EQ(IndexAt(g, 12, c.X, c.Y), c.Index) << c.X << ", " << c.Y;
}

TEST(BrowserGrid, GoToArithmeticRoundTrips) {
  TBrowserGrid g = ComputeGrid(640, 480, 100, 100);
  int maximum = ScrollMaximum(g, 100);
  EXPECT_EQ(maximum, 16);
  EXPECT_EQ(GotoStartValue(8, 100, maximum), 50);
  EXPECT_EQ(GotoPosition(50, 100, maximum), 8);
  EXPECT_EQ(GotoPosition(100, 100, maximum), 16);
}

TEST(ThumbnailCache, RandomSlotReplacesAndClears) {
  int slot = 7;
  TThumbnailCache cache([&](int) { return slot; });
  auto a = std::make_shared<lumarte::editor::TBitmap>(2, 2);
  cache.Store("/f/a.jpg", a);
  EXPECT_EQ(cache.Find("/f/a.jpg"), a);
  cache.Store("/f/b.jpg", std::make_shared<lumarte::editor::TBitmap>(1, 1));
  EXPECT_EQ(cache.Find("/f/a.jpg"), nullptr);  // same slot drawn
  slot = 8;
  cache.Store("/f/a.jpg", a);
  EXPECT_EQ(cache.Size(), 2);
  cache.Clear();
  EXPECT_EQ(cache.Find("/f/b.jpg"), nullptr);
}

TEST(ThumbnailCache, GrowingFromSmallEmpties) {
  const struct {
    int From, To;
    bool Empties;
  } cases[] = {{50, 100, true}, {70, 100, false}, {50, 70, false},
               {70, 120, true}, {100, 120, false}, {120, 50, false}};
  for (const auto& c : cases)
    EXPECT_EQ(TThumbnailCache::SizeChangeEmpties(c.From, c.To), c.Empties) << c.From << "-" << c.To;
}

}  // namespace
