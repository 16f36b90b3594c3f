#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include <functional>
#include <string>
#include <vector>

#include "editor/model/Qv_Database.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

using Lines = std::vector<std::string>;

// A table with one field of each type and two records.
Qv_Database SampleTable() {
  Qv_Database t("Sample");
  t.AddField(0, "Name", "", "", ftString);
  t.AddField(1, "Count", "min 0", "", ftInt);
  t.AddField(2, "Scale", "", "max 2", ftFloat);
  t.AddField(3, "Flag", "", "", ftBool);
  t.AddRecord({"alpha", "12", "1.5", "TRUE"});
  t.AddRecord({"beta", "-3", "", "FALSE"});
  return t;
}

struct AcceptCase {
  TFieldType Type;
  const char* Text;
  bool Accepted;
};

class ValueAcceptance : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(ValueAcceptance, ByFieldType) {
  auto [type, text, accepted] = GetParam();
  Qv_Database t("T");
  t.AddField(0, "F", "", "", type);
  int r = t.AddRecord(t.NewRecord());
  EXPECT_EQ(t.SetValue(r, 0, text), accepted) << text;
  EXPECT_EQ(t.GetString(r, 0), accepted ? std::string(text) : std::string());
}

INSTANTIATE_TEST_SUITE_P(
    Types, ValueAcceptance,
    ::testing::Values(AcceptCase{ftBool, "TRUE", true}, AcceptCase{ftBool, "FALSE", true},
                      AcceptCase{ftBool, "true", false}, AcceptCase{ftBool, "TRUE ", false},
                      AcceptCase{ftBool, "1", false}, AcceptCase{ftInt, "12", true},
                      AcceptCase{ftInt, "-3", true}, AcceptCase{ftInt, "+7", true},
                      AcceptCase{ftInt, "abc", false}, AcceptCase{ftInt, "1.5", false},
                      AcceptCase{ftInt, "", false}, AcceptCase{ftInt, "12abc", false},
                      AcceptCase{ftInt, "99999999999", false}, AcceptCase{ftFloat, "1.5", true},
                      AcceptCase{ftFloat, "-2e3", true}, AcceptCase{ftFloat, "7", true},
                      AcceptCase{ftFloat, "abc", false}, AcceptCase{ftFloat, "inf", false},
                      AcceptCase{ftFloat, "nan", false}, AcceptCase{ftFloat, "", false},
                      AcceptCase{ftString, "", true}, AcceptCase{ftString, "any text", true},
                      AcceptCase{ftAny, "whatever", true}));

// A rejected value keeps the old one; indexes outside the table read as
// empty and write nothing.
TEST(Qv_Database, RejectedValuesAndOutOfRangeIndexes) {
  Qv_Database t = SampleTable();
  EXPECT_FALSE(t.SetValue(0, 1, "abc"));
  EXPECT_EQ(t.GetString(0, 1), "12");
  EXPECT_EQ(t.GetInt(0, 1), 12);
  for (auto [r, f] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 4}}) {
    EXPECT_EQ(t.GetString(r, f), "");
    EXPECT_EQ(t.GetInt(r, f), 0);
    EXPECT_FALSE(t.GetBool(r, f));
    EXPECT_FALSE(t.SetValue(r, f, "x"));
  }
  EXPECT_EQ(t.GetInt(1, 2), 0);  // empty FLOAT value: not a number
  EXPECT_EQ(t.GetInt(1, 1), -3);
  EXPECT_TRUE(t.GetBool(0, 3));
  EXPECT_FALSE(t.GetBool(1, 3));
  EXPECT_FALSE(t.GetBool(0, 0));  // not a BOOL field
  EXPECT_THROW(t.GetRecord(2), EDBException);
  EXPECT_EQ(t.FieldName(2), "Scale");
  for (int bad : {-1, 4}) EXPECT_EQ(Message([&] { t.FieldName(bad); }), "FieldID not valid") << bad;
}

TEST(Qv_Database, FindRecordExactFirstMatch) {
  Qv_Database t = SampleTable();
  t.AddRecord({"alpha", "99", "", ""});
  EXPECT_EQ(t.FindRecord(0, "alpha"), 0);
  EXPECT_EQ(t.FindRecord(0, "beta"), 1);
  EXPECT_EQ(t.FindRecord(0, "Alpha"), -1);
  EXPECT_EQ(t.FindRecord(0, "alph"), -1);
  EXPECT_EQ(t.FindRecord(1, "99"), 2);
  EXPECT_EQ(t.FindRecord(7, "alpha"), -1);
}

// A new record drops unfit values and is padded; a new field gives every
// record an empty value.
TEST(Qv_Database, AddRecordAndAddField) {
  Qv_Database t = SampleTable();
  int r = t.AddRecord({"gamma", "ten", "x", "YES"});
  EXPECT_EQ(t.GetRecord(r), (TElement{"gamma", "", "", ""}));
  r = t.AddRecord({"delta"});
  EXPECT_EQ(t.GetRecord(r).size(), 4u);
  t.AddField(1, "Note", "", "", ftString);
  ASSERT_EQ(t.FieldCount(), 5);
  EXPECT_EQ(t.GetRecord(0), (TElement{"alpha", "", "12", "1.5", "TRUE"}));
  EXPECT_EQ(t.FieldName(2), "Count");
}

TEST(Qv_Database, TextFormLayout) {
  Qv_Database t("T");
  t.AddField(0, "A", "e1", "e2", ftString);
  t.AddField(1, "B", "", "", ftInt);
  t.AddRecord({"x", "5"});
  // One row per section.
  // clang-format off
  Lines expected = {"####TABLE####", "T", "1", "##FIELDS##", "2",
                    "##FIELD##", "A", "STRING", "e1", "e2", "##ENDFIELD##",
                    "##FIELD##", "B", "INT", "", "", "##ENDFIELD##",
                    "##ENDFIELDS##",
                    "##DATA##", "x", "##", "5", "####", "##ENDDATA##",
                    "####ENDTABLE####"};
  // clang-format on
  EXPECT_EQ(t.SaveToStrings(), expected);
}

TEST(Qv_Database, RoundTrip) {
  Qv_Database t = SampleTable();
  Qv_Database back;
  back.LoadFromStrings(t.SaveToStrings());
  EXPECT_EQ(back.Name, "Sample");
  EXPECT_EQ(back.SaveToStrings(), t.SaveToStrings());
  EXPECT_EQ(back.Field(1).Extra1, "min 0");
  EXPECT_EQ(back.Field(2).Extra2, "max 2");
}

// The reader is tolerant: markers are tested by their beginning, a value may
// span lines, junk between sections is skipped.
Lines TolerantText() {
  // One row per section.
  // clang-format off
  return {"####TABLE#### v2", "Loose", "2", "junk line", "##FIELDS## (two)", "2",
          "##FIELD##", "Key", "STR", "", "", "ignored", "##ENDFIELD##x",  // lines 6-12
          "##FIELD##", "Num", "INTEGER", "", "", "##ENDFIELD##",           // lines 13-18
          "more junk", "##ENDFIELDS##",
          "##DATA##", "first", "part", "##", "4", "####",  // lines 21-26
          "second", "##", "x1", "####",
          "##ENDDATA##"};
  // clang-format on
}

struct TolerantCase {
  const char* Name;
  std::function<void(Lines&)> Edit;
  std::vector<TElement> Records;
};

class TolerantReader : public ::testing::TestWithParam<TolerantCase> {};

TEST_P(TolerantReader, ReadsWhatIsComplete) {
  Lines text = TolerantText();
  GetParam().Edit(text);
  Qv_Database t;
  t.LoadFromStrings(text);
  EXPECT_EQ(t.Name, "Loose");
  ASSERT_EQ(t.FieldCount(), 2);
  EXPECT_EQ(t.Field(0).Type, ftString);  // "STR" starts a known type, "COLOUR" none
  EXPECT_EQ(t.Field(1).Type, text[15] == "COLOUR" ? ftAny : ftInt);
  std::vector<TElement> records;
  for (int r = 0; r < t.RecordCount(); ++r) records.push_back(t.GetRecord(r));
  EXPECT_EQ(records, GetParam().Records);
}

void Count(Lines& text, const char* n) { text[2] = n; }

INSTANTIATE_TEST_SUITE_P(
    Texts, TolerantReader,
    ::testing::Values(
        // A value across two lines; "x1" fails INT and is dropped.
        TolerantCase{"AsWritten", [](Lines&) {}, {{"firstpart", "4"}, {"second", ""}}},
        TolerantCase{"UnknownTypeAcceptsEverything", [](Lines& t) { t[15] = "COLOUR"; },
                     {{"firstpart", "4"}, {"second", "x1"}}},
        TolerantCase{"CountZero", [](Lines& t) { Count(t, "0"); }, {}},
        TolerantCase{"CountOne", [](Lines& t) { Count(t, "1"); }, {{"firstpart", "4"}}},
        TolerantCase{"HugeCount", [](Lines& t) { Count(t, "2000000000"); },
                     {{"firstpart", "4"}, {"second", ""}}},
        TolerantCase{"CutInsideTheSecondRecord", [](Lines& t) { t.resize(t.size() - 4); },
                     {{"firstpart", "4"}}},
        // Without "##", "4" the first record ends at its record marker.
        TolerantCase{"ShortRecord",
                     [](Lines& t) { t.erase(t.begin() + 24, t.begin() + 26); },
                     {{"firstpart", ""}, {"second", ""}}}),
    [](const auto& info) { return std::string(info.param.Name); });

class UnreadableText : public ::testing::TestWithParam<Lines> {};

TEST_P(UnreadableText, RaisesAndKeepsTable) {
  Qv_Database t = SampleTable();
  EXPECT_THROW(t.LoadFromStrings(GetParam()), EDBException);
  EXPECT_EQ(t.SaveToStrings(), SampleTable().SaveToStrings());
}

INSTANTIATE_TEST_SUITE_P(Texts, UnreadableText,
                         ::testing::Values(Lines{}, Lines{"####TABLE####", "T", "many"},
                                           Lines{"####TABLE####", "T", "-1", "##FIELDS##", "0"},
                                           Lines{"####TABLE####", "T", "0"},
                                           Lines{"####TABLE####", "T", "0", "##FIELDS##", "two"}));

}  // namespace
