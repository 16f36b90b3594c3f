#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <stdexcept>

#include "editor/model/ErrorReport.h"
#include "imaging/Errors.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

struct CodeCase {
  const char* ClassName;
  const char* Code;
};

class ErrorCode : public ::testing::TestWithParam<CodeCase> {};

TEST_P(ErrorCode, FromClassName) {
  EXPECT_EQ(ErrorCodeFromClassName(GetParam().ClassName), GetParam().Code);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ErrorCode,
    ::testing::Values(CodeCase{"EOutOfMemory", "OutOfMemory"},
                      CodeCase{"EOutOfResources", "OutOfResources"},
                      CodeCase{"EOutOfMemoryException", "OutOfMemory"},
                      // "EXCEPTION" before "OUTOF" does not cut
                      CodeCase{"EExceptionOutOfMemory", "OutOfMemory"},
                      CodeCase{"EConvertError", "ConvertError"},
                      CodeCase{"EAccessViolation", "AccessViolation"},
                      CodeCase{"EFooException", "Foo"}, CodeCase{"Exception", "xception"},
                      CodeCase{"E", ""}, CodeCase{"", ""}));

template <typename Ex, typename... A>
std::exception_ptr Thrown(A... args) {
  return std::make_exception_ptr(Ex(args...));
}

struct ReportCase {
  std::exception_ptr Error;
  const char* Text;
};

class ErrorMessage : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ErrorMessage, ShownText) {
  TErrorClassifier classifier;
  TErrorReport report = classifier.Classify(GetParam().Error);
  EXPECT_EQ(report.Action, TErrorAction::ShowMessage);
  EXPECT_EQ(report.Text, GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Exceptions, ErrorMessage,
    ::testing::Values(
        ReportCase{Thrown<ELumarteError>("Nothing on Clipboard!"), "Nothing on Clipboard!"},
        ReportCase{Thrown<ELumarteError>(""), "Error Code: LumarteError"},
        ReportCase{Thrown<EInOutError>("Error opening"), "Error Code: InOutError"},
        ReportCase{Thrown<EDBException>("FieldID not valid"), "Error Code: DB"},
        ReportCase{Thrown<ERevedBitmap>("Unsupported file format"), "Error Code: RevedBitmap"},
        ReportCase{Thrown<std::bad_alloc>(), "Error Code: OutOfMemory"},
        ReportCase{Thrown<std::invalid_argument>("stoi"), "Error Code: ConvertError"},
        ReportCase{Thrown<std::out_of_range>("at"), "Error Code: RangeError"},
        ReportCase{Thrown<std::filesystem::filesystem_error>("x", std::error_code()),
                   "Error Code: InOutError"},
        ReportCase{std::make_exception_ptr(42), "Error Code: xception"}));

TEST(ErrorClassifier, OutOfResourcesClosesAllOnlyTheFirstTime) {
  TErrorClassifier classifier;
  auto first = classifier.Classify(Thrown<EOutOfResources>("no handles"));
  EXPECT_EQ(first.Action, TErrorAction::CloseAllAndTerminate);
  EXPECT_EQ(first.Text, "Out of Ressources! Lumarte will terminate after closing all images.");
  auto second = classifier.Classify(Thrown<EOutOfResources>("no handles"));
  EXPECT_EQ(second.Action, TErrorAction::ShowMessage);
  EXPECT_EQ(second.Text, "Error Code: OutOfResources");
}

}  // namespace
