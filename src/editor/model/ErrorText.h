#pragma once
// The text the application's error handler shows for an exception.
#include <exception>
#include <string>

namespace lumarte::editor {

// The code shown after "Error Code: " for an exception class name: from
// "OUTOF" on when the name contains it, else the name without its first
// letter; either cut before "EXCEPTION".
std::string ErrorCodeFromClassName(const std::string& className);

// The program's own errors and the library's messages show their text; an
// exhausted memory shows "Error Code: OutOfMemory", an index out of range
// "Error Code: RangeError"; any other exception "Error Code: " and its text.
std::string ErrorMessageFor(const std::exception& e);

// For exceptions that are not std::exception.
extern const char* const kUnknownErrorMessage;

}  // namespace lumarte::editor
