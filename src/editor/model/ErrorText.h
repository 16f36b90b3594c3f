#pragma once
// The text the application's error handler shows for an exception.
#include <exception>
#include <string>

namespace lumarte::editor {

// The code shown after "Error Code: " for an exception class name: from
// "OUTOF" on when the name contains it, else the name without its first
// letter; either cut before "EXCEPTION".
std::string ErrorCodeFromClassName(const std::string& className);

// The class name an exception reports under: ours give their own; standard
// ones map to the name of their kind (std::bad_alloc is "EOutOfMemory",
// std::invalid_argument "EConvertError"); "Exception" for any other.
std::string ExceptionClassName(const std::exception& e);

// The program's own errors and the library's messages show their text;
// standard exceptions of a known kind "Error Code: " and the code of their
// class name ("Error Code: OutOfMemory"); any other exception "Error Code: "
// and its text.
std::string ErrorMessageFor(const std::exception& e);

// For exceptions that are not std::exception.
extern const char* const kUnknownErrorMessage;

}  // namespace lumarte::editor
