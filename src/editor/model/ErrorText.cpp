#include "editor/model/ErrorText.h"

#include <filesystem>
#include <ios>
#include <new>
#include <stdexcept>
#include <system_error>
#include <typeinfo>

#include "imaging/Errors.h"
#include "imaging/FileUtils.h"

namespace lumarte::editor {

const char* const kUnknownErrorMessage = "Error Code: Unknown";

std::string ErrorCodeFromClassName(const std::string& className) {
  std::string upper = imaging::UpperCase(className);
  size_t cut = upper.find("EXCEPTION");
  size_t outOf = upper.find("OUTOF");
  if (outOf != std::string::npos) {
    size_t end = cut != std::string::npos && cut > outOf ? cut : className.size();
    return className.substr(outOf, end - outOf);
  }
  std::string code = className.substr(0, cut == std::string::npos ? className.size() : cut);
  return code.empty() ? code : code.substr(1);
}

namespace {

template <typename T>
bool Is(const std::exception& e) {
  return dynamic_cast<const T*>(&e) != nullptr;
}

}  // namespace

std::string ExceptionClassName(const std::exception& e) {
  if (const auto* own = dynamic_cast<const ELumarteBase*>(&e)) return own->ClassName();
  // Most specific first: several standard exceptions derive from others.
  if (Is<std::bad_alloc>(e)) return "EOutOfMemory";
  if (Is<std::filesystem::filesystem_error>(e) || Is<std::ios_base::failure>(e))
    return "EInOutError";
  if (Is<std::system_error>(e)) return "EOSError";
  if (Is<std::invalid_argument>(e)) return "EConvertError";
  if (Is<std::out_of_range>(e) || Is<std::length_error>(e) || Is<std::range_error>(e))
    return "ERangeError";
  if (Is<std::overflow_error>(e)) return "EOverflow";
  if (Is<std::underflow_error>(e)) return "EUnderflow";
  if (Is<std::domain_error>(e)) return "EMathError";
  if (Is<std::bad_cast>(e)) return "EInvalidCast";
  return "Exception";
}

std::string ErrorMessageFor(const std::exception& e) {
  // Our exceptions carry the exact text meant for the user.
  if (Is<ELumarteBase>(e) && *e.what()) return e.what();
  std::string name = ExceptionClassName(e);
  if (name != "Exception") return "Error Code: " + ErrorCodeFromClassName(name);
  // A library exception of no known kind: its own text is the best code.
  return std::string("Error Code: ") + e.what();
}

}  // namespace lumarte::editor
