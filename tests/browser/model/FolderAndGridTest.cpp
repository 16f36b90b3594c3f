#include <gtest/gtest.h>

#include "browser/model/BrowserFolder.h"
#include "browser/model/BrowserGrid.h"
#include "browser/model/BrowserTexts.h"
#include "support/TempFolder.h"

using namespace lumarte::browser;
using lumarte::imaging::TFileRecord;

namespace {

// Sub-folders keep the parent first and sort the rest without regard to case.
TEST(BrowserFolder, ScanListsFoldersAndBrowsableImages) {
  EXPECT_EQ(OrderSubFolders({"..", "b", "A", "ab", "a", "Ab"}),
            (std::vector<std::string>{"..", "a", "A", "Ab", "ab", "b"}));
  lumarte::fixtures::TempFolder dir;
  for (const char* f : {"a.JPG", "b.png", "c.ico", "d.txt", "e.jpeg", "f.emf", "g.Gif"})
    dir.Write(f, "x");
  for (const char* d : {"Zed", "alpha", ".hidden"}) std::filesystem::create_directory(dir.File(d));
  TFolderContents c = ScanFolder(dir.Path.string() + "//");
  EXPECT_EQ(c.Folder, dir.Path.string());
  EXPECT_EQ(c.SubFolders, (std::vector<std::string>{"..", ".hidden", "alpha", "Zed"}));
  SortImages(c.Files, TBrowserSort::NameUp);
  std::vector<std::string> names;
  for (const auto& f : c.Files) names.push_back(f.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"a.JPG", "b.png", "e.jpeg", "f.emf", "g.Gif"}));
}

TEST(BrowserFolder, DoubleClickedCells) {
  EXPECT_EQ(FolderForCell("/home/u/pics", ".."), "/home/u");
  EXPECT_EQ(FolderForCell("/home", ".."), "/");
  EXPECT_EQ(FolderForCell("/", ".."), "/");
  EXPECT_EQ(FolderForCell("/home/", "u"), "/home/u");
  EXPECT_EQ(FolderForCell("/", "tmp"), "/tmp");
}

TEST(BrowserFolder, SixSortKeysAndTheReverse) {
  const std::pair<TBrowserSort, std::string> cases[] = {
      {TBrowserSort::NameUp, "aBc"}, {TBrowserSort::NameDown, "cBa"},
      {TBrowserSort::DateUp, "Bca"}, {TBrowserSort::DateDown, "acB"},
      {TBrowserSort::SizeUp, "caB"}, {TBrowserSort::SizeDown, "Bac"}};
  auto order = [](const std::vector<TFileRecord>& files) {
    std::string names;
    for (const auto& f : files) names += f.Name[0];
    return names;
  };
  for (const auto& [sort, want] : cases) {
    std::vector<TFileRecord> files{
        {3, 999, 0, "a.jpg"}, {1, 1500, 0, "B.jpg"}, {2, 10, 0, "c.jpg"}};
    SortImages(files, sort);
    EXPECT_EQ(order(files), want);
    ReverseImages(files);
    EXPECT_EQ(order(files), std::string(want.rbegin(), want.rend()));
  }
}

TEST(BrowserFolder, StatusTextsGiveBytesUpToOneThousand) {
  EXPECT_EQ(FileStatusText("small.jpg", 999), "small.jpg (999 B)");
  EXPECT_EQ(FileStatusText("x", 1000), "x (1000 B)");
  EXPECT_EQ(FileStatusText("x", 1001), "x (1 kB)");
  EXPECT_EQ(FileStatusText("big.jpg", 1500), "big.jpg (1 kB)");
}

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

TEST(BrowserGrid, ImageUnderTheMouseAndGoTo) {
  const TBrowserGrid g = ComputeGrid(640, 480, 100, 100);  // 6 × 4 cells of 101 × 114
  const struct {
    int X, Y, Index;
  } cases[] = {{0, 0, 12}, {105, 0, 12}, {106, 0, 13}, {0, 119, 18}, {5 * 106 + 100, 3 * 119, 35},
               {6 * 106 + 2, 0, -1},  // right of the columns
               {-1, 5, -1}};
  for (const auto& c : cases) EXPECT_EQ(IndexAt(g, 12, c.X, c.Y), c.Index) << c.X << ", " << c.Y;
  const int maximum = ScrollMaximum(g, 100);
  EXPECT_EQ(maximum, 16);
  EXPECT_EQ(GotoStartValue(8, 100, maximum), 50);
  EXPECT_EQ(GotoPosition(50, 100, maximum), 8);
  EXPECT_EQ(GotoPosition(100, 100, maximum), 16);
}

}  // namespace
