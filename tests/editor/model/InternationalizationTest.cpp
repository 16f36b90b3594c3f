#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "editor/model/Internationalization.h"

using namespace lumarte::editor;
using lumarte::fixtures::TempFolder;

namespace {

struct LineCase {
  std::string Line;
  std::string Name, Property, Value;
};

class LanguageLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(LanguageLine, Split) {
  TLanguageTable t = ParseLanguageFile({GetParam().Line});
  ASSERT_EQ(t.Names.size(), 1u);
  EXPECT_EQ(t.Names[0], GetParam().Name);
  EXPECT_EQ(t.Properties[0], GetParam().Property);
  EXPECT_EQ(t.Values[0], GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LanguageLine,
    ::testing::Values(LineCase{"LMOpen1.Caption:=Öffnen", "LMOpen1", "Caption", "Öffnen"},
                      LineCase{"A.Hint:=a:=b", "A", "Hint", "a:=b"},  // first ":=" splits
                      LineCase{"A.Caption:= spaced ", "A", "Caption", " spaced "},
                      LineCase{"A.Caption:=", "A", "Caption", ""},
                      LineCase{"A.B.Caption:=x", "A", "B.Caption", "x"},
                      LineCase{"Label1.Caption", "Label1", "", ""},
                      LineCase{"no dot:=x", "no dot:=x", "", "x"}, LineCase{"", "", "", ""},
                      LineCase{"A.Caption:=" + std::string(1200, 'v'), "A", "Caption",
                               std::string(999, 'v')}));

TEST(Language, FileOrderKeptAndFirstMatchWins) {
  TLanguageTable t = ParseLanguageFile({"B.Hint:=2", "A.Caption:=1"});
  EXPECT_EQ(t.Names, (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(t.Values, (std::vector<std::string>{"2", "1"}));
  // The first matching line wins, without regard to case.
  t = ParseLanguageFile(
      {"Other.Caption:=x", "lmopen1.Hint:=first", "LMOpen1.Caption:=second", ".Caption:=blank"});
  EXPECT_EQ(FindLanguageEntry(t, "LMOpen1"), 1);
  EXPECT_EQ(FindLanguageEntry(t, "  LMOPEN1 "), 1);  // component name is trimmed
  EXPECT_EQ(FindLanguageEntry(t, "Missing"), -1);
  EXPECT_EQ(FindLanguageEntry(t, ""), -1);  // unnamed controls are never renamed
  EXPECT_EQ(FindLanguageEntry(t, "   "), -1);
}

TEST(Language, FileReadWithAnyLineEnd) {
  TempFolder folder;
  auto lines =
      ReadLanguageFile(folder.Write("lang.txt", "A.Caption:=x\r\nB.Hint:=y\nC.Caption:=z"));
  EXPECT_EQ(lines, (std::vector<std::string>{"A.Caption:=x", "B.Hint:=y", "C.Caption:=z"}));
  EXPECT_TRUE(ReadLanguageFile(folder / "missing.txt").empty());
  EXPECT_TRUE(ReadLanguageFile(folder.Path).empty());  // a folder, not a file
}

}  // namespace
