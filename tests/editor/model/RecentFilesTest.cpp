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
