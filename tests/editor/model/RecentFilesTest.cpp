#include <gtest/gtest.h>

#include "editor/model/RecentFiles.h"

using namespace lumarte::editor;

namespace {

std::vector<std::string> Entries(const TRecentFiles& r) {
  std::vector<std::string> e;
  for (int k = 1; k <= TRecentFiles::kMaxEntries; ++k) e.push_back(r.Entry(k));
  return e;
}

}  // namespace

TEST(RecentFiles, NewestFirstCutAtTheListLength) {
  TRecentFiles r;
  r.NoOfRecentFiles = 3;
  for (const char* n : {"a", "b", "c", "d"}) r.Add(n);
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"d", "c", "b", "", "", "", "", ""}));
}

TEST(RecentFiles, ANameAlreadyListedMovesToTheFront) {
  TRecentFiles r;
  r.NoOfRecentFiles = 8;
  for (const char* n : {"a", "b", "c"}) r.Add(n);
  r.Add("a");
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"a", "c", "b", "", "", "", "", ""}));
}

TEST(RecentFiles, LengthZeroStillKeepsTheNewest) {
  TRecentFiles r;
  r.NoOfRecentFiles = 0;
  r.Add("a");
  r.Add("b");
  EXPECT_EQ(r.Entry(1), "b");
  EXPECT_EQ(r.Entry(2), "");
}

TEST(RecentFiles, CaptionsAndOutOfRange) {
  TRecentFiles r;
  r.Add("/p/x.png");
  EXPECT_EQ(r.Caption(1), "1 /p/x.png");
  EXPECT_EQ(r.Caption(2), "2 ");
  EXPECT_EQ(r.Entry(0), "");
  EXPECT_EQ(r.Entry(9), "");
}

TEST(RecentFiles, AFullListDropsTheOldest) {
  TRecentFiles r;
  r.NoOfRecentFiles = 8;
  for (const char* n : {"1", "2", "3", "4", "5", "6", "7", "8", "9"}) r.Add(n);
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"9", "8", "7", "6", "5", "4", "3", "2"}));
  r.Add("2");  // the last entry moves up to the front
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"2", "9", "8", "7", "6", "5", "4", "3"}));
}

TEST(RecentFiles, AShorterListEmptiesTheTailOnTheNextAdd) {
  TRecentFiles r;
  r.NoOfRecentFiles = 5;
  for (const char* n : {"a", "b", "c", "d"}) r.Add(n);
  r.NoOfRecentFiles = 2;
  r.Add("e");
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"e", "d", "", "", "", "", "", ""}));
}

TEST(RecentFiles, StoredLengthClamped) {
  EXPECT_EQ(ClampRecentFileCount(12), 8);
  EXPECT_EQ(ClampRecentFileCount(-3), 0);
  EXPECT_EQ(ClampRecentFileCount(5), 5);
}
