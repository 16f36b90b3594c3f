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

}  // namespace
