#include <gtest/gtest.h>


#include "browser/model/BrowserFolder.h"
#include "browser/model/BrowserTexts.h"
#include "support/TempFolder.h"

using namespace lumarte::browser;
using lumarte::imaging::TFileRecord;

namespace {

TEST(BrowserFolder, SubFoldersKeepTheParentFirstAndSortTheRest) {
  auto rows = OrderSubFolders({"..", "b", "A", "ab", "a", "Ab"});
  EXPECT_EQ(rows, (std::vector<std::string>{"..", "a", "A", "Ab", "ab", "b"}));
}

TEST(BrowserFolder, ScanListsFoldersAndBrowsableImages) {
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

struct SortCase {
  TBrowserSort Sort;
  const char* Order;
};

class SortTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortTest, SixKeys) {
  std::vector<TFileRecord> files{{3, 999, 0, "a.jpg"}, {1, 1500, 0, "B.jpg"}, {2, 10, 0, "c.jpg"}};
  SortImages(files, GetParam().Sort);
  std::string order;
  for (const auto& f : files) order += f.Name[0];
  EXPECT_EQ(order, GetParam().Order);
}

INSTANTIATE_TEST_SUITE_P(Browser, SortTest,
                         ::testing::Values(SortCase{TBrowserSort::NameUp, "aBc"},
                                           SortCase{TBrowserSort::NameDown, "cBa"},
                                           SortCase{TBrowserSort::DateUp, "Bca"},
                                           SortCase{TBrowserSort::DateDown, "acB"},
                                           SortCase{TBrowserSort::SizeUp, "caB"},
                                           SortCase{TBrowserSort::SizeDown, "Bac"}));

TEST(BrowserFolder, SizeOrderAndItsStatusTexts) {
  std::vector<TFileRecord> files{{0, 1500, 0, "big.jpg"}, {0, 999, 0, "small.jpg"}};
  SortImages(files, TBrowserSort::SizeUp);
  EXPECT_EQ(FileStatusText(files[0].Name, files[0].Size), "small.jpg (999 B)");
  EXPECT_EQ(FileStatusText(files[1].Name, files[1].Size), "big.jpg (1 kB)");
  EXPECT_EQ(FileStatusText("x", 1000), "x (1000 B)");
  EXPECT_EQ(FileStatusText("x", 1001), "x (1 kB)");
  ReverseImages(files);
  EXPECT_EQ(files[0].Name, "big.jpg");
}

}  // namespace
