#include <gtest/gtest.h>

#include "browser/model/BrowserGrid.h"
#include "browser/model/ThumbnailCache.h"

using namespace lumarte::browser;

namespace {

struct GridCase {
  int Width, Height, Thumb;
  int Columns, Rows, CellWidth, CellHeight;
};

class GridTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridTest, ColumnsRowsAndCells) {
  const GridCase& c = GetParam();
  TBrowserGrid g = ComputeGrid(c.Width, c.Height, c.Thumb, c.Thumb);
  EXPECT_EQ(g.Columns, c.Columns);
  EXPECT_EQ(g.Rows, c.Rows);
  EXPECT_EQ(g.CellWidth, c.CellWidth);
  EXPECT_EQ(g.CellHeight, c.CellHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Browser, GridTest,
    ::testing::Values(GridCase{640, 480, 100, 6, 4, 101, 114},  // 100 + (639 - 630) div 6
                      GridCase{630, 105, 100, 6, 1, 100, 99},  // (629 - 630) div 6 truncates to 0
                      GridCase{400, 400, 120, 3, 3, 128, 128},
                      GridCase{60, 40, 100, 1, 1, 54, 34}));  // narrower than a cell: still one

struct FitCase {
  int W, H, CellW, CellH;
  int FitW, FitH;
};

class FitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitTest, LargestSizeWithTheAspectRatio) {
  const FitCase& c = GetParam();
  TPlace p = FitInCell(c.W, c.H, c.CellW, c.CellH);
  EXPECT_EQ(p.Width, c.FitW);
  EXPECT_EQ(p.Height, c.FitH);
}

INSTANTIATE_TEST_SUITE_P(Browser, FitTest,
                         ::testing::Values(FitCase{40, 30, 100, 100, 100, 75},  // enlarged
                                           FitCase{1600, 1200, 100, 100, 100, 75},
                                           FitCase{30, 40, 100, 100, 75, 100},
                                           FitCase{200, 100, 101, 114, 101, 50},  // 50.5 to even
                                           FitCase{10000, 1, 100, 100, 100, 1},   // never 0 high
                                           FitCase{0, 10, 100, 100, 0, 10}));

TEST(BrowserGrid, SmallPictureSitsCentredTwelvePixelsDown) {
  TBrowserGrid g = ComputeGrid(630, 105, 100, 100);
  g.CellWidth = g.CellHeight = 100;
  TPlace fit = FitInCell(40, 30, 100, 100);
  TPlace at = CellPlace(g, 2, 0, fit.Width, fit.Height);
  EXPECT_EQ(at.X, 2 * 105 + 1);
  EXPECT_EQ(at.Y, 12 + 1);
}

struct IndexCase {
  int X, Y, Index;
};

class IndexTest : public ::testing::TestWithParam<IndexCase> {};

TEST_P(IndexTest, ImageUnderTheMouse) {
  TBrowserGrid g = ComputeGrid(640, 480, 100, 100);  // 6 × 4 cells of 101 × 114
  EXPECT_EQ(IndexAt(g, 12, GetParam().X, GetParam().Y), GetParam().Index);
}

INSTANTIATE_TEST_SUITE_P(Browser, IndexTest,
                         ::testing::Values(IndexCase{0, 0, 12}, IndexCase{105, 0, 12},
                                           IndexCase{106, 0, 13}, IndexCase{0, 119, 18},
                                           IndexCase{5 * 106 + 100, 3 * 119, 35},
                                           IndexCase{6 * 106 + 2, 0, -1},  // right of the columns
                                           IndexCase{-1, 5, -1}));

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

struct SizeCase {
  int From, To;
  bool Empties;
};

class CacheSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(CacheSizeTest, GrowingFromSmallEmpties) {
  EXPECT_EQ(TThumbnailCache::SizeChangeEmpties(GetParam().From, GetParam().To), GetParam().Empties);
}

INSTANTIATE_TEST_SUITE_P(Browser, CacheSizeTest,
                         ::testing::Values(SizeCase{50, 100, true}, SizeCase{70, 100, false},
                                           SizeCase{50, 70, false}, SizeCase{70, 120, true},
                                           SizeCase{100, 120, false}, SizeCase{120, 50, false}));

}  // namespace
