#include <gtest/gtest.h>

#include "editor/model/RecentFiles.h"

using namespace lumarte::editor;

namespace {

using Names = std::vector<std::string>;

struct TAddCase {
  const char* Name;
  int Length;
  Names Added;
  int LaterLength;  // the list length changed before the last name is added
  Names Entries;    // the first entries; the rest are empty
};

class RecentFilesAdd : public ::testing::TestWithParam<TAddCase> {};

TEST_P(RecentFilesAdd, KeepsTheNewestFirst) {
  const TAddCase& c = GetParam();
  TRecentFiles r;
  r.NoOfRecentFiles = c.Length;
  for (size_t i = 0; i < c.Added.size(); ++i) {
    if (i + 1 == c.Added.size()) r.NoOfRecentFiles = c.LaterLength;
    r.Add(c.Added[i]);
  }
  Names entries, expected = c.Entries;
  expected.resize(TRecentFiles::kMaxEntries);
  for (int k = 1; k <= TRecentFiles::kMaxEntries; ++k) entries.push_back(r.Entry(k));
  EXPECT_EQ(entries, expected);
}

const Names kNine{"1", "2", "3", "4", "5", "6", "7", "8", "9"};

INSTANTIATE_TEST_SUITE_P(
    Lists, RecentFilesAdd,
    ::testing::Values(
        TAddCase{"CutAtTheListLength", 3, {"a", "b", "c", "d"}, 3, {"d", "c", "b"}},
        TAddCase{"ListedNameMovesToTheFront", 8, {"a", "b", "c", "a"}, 8, {"a", "c", "b"}},
        TAddCase{"LengthZeroStillKeepsTheNewest", 0, {"a", "b"}, 0, {"b"}},
        TAddCase{"FullListDropsTheOldest", 8, kNine, 8, {"9", "8", "7", "6", "5", "4", "3", "2"}},
        TAddCase{"LastEntryMovesUpToTheFront",
                 8,
                 {"1", "2", "3", "4", "5", "6", "7", "8", "9", "2"},
                 8,
                 {"2", "9", "8", "7", "6", "5", "4", "3"}},
        TAddCase{"ShorterListEmptiesTheTail", 5, {"a", "b", "c", "d", "e"}, 2, {"e", "d"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RecentFiles, CaptionsAndOutOfRange) {
  TRecentFiles r;
  r.Add("/p/x.png");
  EXPECT_EQ(r.Caption(1), "1 /p/x.png");
  EXPECT_EQ(r.Caption(2), "2 ");
  EXPECT_EQ(r.Entry(0), "");
  EXPECT_EQ(r.Entry(9), "");
}

}  // namespace
