#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <stdexcept>

#include "editor/model/ErrorReport.h"
#include "editor/model/ErrorText.h"
#include "imaging/Errors.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

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
        ReportCase{Thrown<EFormatError>("CRC error"), "CRC error"},
        ReportCase{Thrown<EFormatError>(""), "Error Code: FormatError"},
        ReportCase{Thrown<std::out_of_range>("array::at"), "Error Code: RangeError"},
        ReportCase{Thrown<std::runtime_error>("disk on fire"), "Error Code: disk on fire"},
        ReportCase{Thrown<EDBException>(""), "Error Code: DB"},
        ReportCase{Thrown<std::bad_alloc>(), "Error Code: OutOfMemory"},
        ReportCase{Thrown<std::invalid_argument>("stoi"), "Error Code: ConvertError"},
        ReportCase{Thrown<std::length_error>("vector"), "Error Code: RangeError"},
        ReportCase{Thrown<std::filesystem::filesystem_error>("x", std::error_code()),
                   "Error Code: InOutError"},
        ReportCase{Thrown<std::system_error>(std::error_code()), "Error Code: OSError"},
        ReportCase{std::make_exception_ptr(42), "Error Code: Unknown"},
        ReportCase{nullptr, "Error Code: Unknown"}));

TEST(ErrorClassifier, OutOfResourcesClosesAllOnlyTheFirstTime) {
  TErrorClassifier classifier;
  auto first = classifier.Classify(Thrown<EOutOfResources>("no handles"));
  EXPECT_EQ(first.Action, TErrorAction::CloseAllAndTerminate);
  EXPECT_EQ(first.Text, "Out of Ressources! Lumarte will terminate after closing all images.");
  auto second = classifier.Classify(Thrown<EOutOfResources>(""));
  EXPECT_EQ(second.Action, TErrorAction::ShowMessage);
  EXPECT_EQ(second.Text, "Error Code: OutOfResources");
  // A cancelled step shows nothing.
  EXPECT_EQ(classifier.Classify(Thrown<EAbort>("")).Action, TErrorAction::Silent);
}

// "EXCEPTION" before "OUTOF" does not cut the name short.
TEST(ErrorCode, FromClassName) {
  for (auto [name, code] : {std::pair{"EOutOfMemory", "OutOfMemory"},
                            {"EOutOfResources", "OutOfResources"},
                            {"EOutOfMemoryException", "OutOfMemory"},
                            {"EExceptionOutOfMemory", "OutOfMemory"},
                            {"EAccessViolation", "AccessViolation"},
                            {"EZeroDivideException", "ZeroDivide"},
                            {"ERangeError", "RangeError"},
                            {"Exception", ""},
                            {"E", ""},
                            {"", ""}})
    EXPECT_EQ(ErrorCodeFromClassName(name), code) << name;
}

}  // namespace
