#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "editor/model/ErrorText.h"
#include "imaging/Errors.h"

using namespace lumarte;
using namespace lumarte::editor;

TEST(ErrorText, CodeFromClassName) {
  struct {
    const char* Name;
    const char* Code;
  } cases[] = {
      {"EOutOfMemory", "OutOfMemory"},
      {"EOutOfResources", "OutOfResources"},
      {"EOutOfMemoryException", "OutOfMemory"},
      {"EAccessViolation", "AccessViolation"},
      {"EZeroDivideException", "ZeroDivide"},
      {"ERangeError", "RangeError"},
      {"Exception", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorCodeFromClassName(c.Name), c.Code) << c.Name;
}

TEST(ErrorText, MessagesShownForEachKind) {
  EXPECT_EQ(ErrorMessageFor(ELumarteError("Nothing on Clipboard!")), "Nothing on Clipboard!");
  EXPECT_EQ(ErrorMessageFor(EFormatError("CRC error")), "CRC error");
  EXPECT_EQ(ErrorMessageFor(EFormatError("")), "Error Code: FormatError");
  EXPECT_EQ(ErrorMessageFor(std::bad_alloc()), "Error Code: OutOfMemory");
  EXPECT_EQ(ErrorMessageFor(std::out_of_range("array::at")), "Error Code: RangeError");
  EXPECT_EQ(ErrorMessageFor(std::runtime_error("disk on fire")), "Error Code: disk on fire");
}
