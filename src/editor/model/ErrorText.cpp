#include "editor/model/ErrorText.h"

#include <new>
#include <stdexcept>

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

std::string ErrorMessageFor(const std::exception& e) {
  if (const auto* own = dynamic_cast<const ELumarteBase*>(&e)) {
    // Our exceptions carry the exact text meant for the user.
    if (*own->what()) return own->what();
    return "Error Code: " + ErrorCodeFromClassName(own->ClassName());
  }
  if (dynamic_cast<const std::bad_alloc*>(&e))
    return "Error Code: " + ErrorCodeFromClassName("EOutOfMemory");
  if (dynamic_cast<const std::out_of_range*>(&e))
    return "Error Code: " + ErrorCodeFromClassName("ERangeError");
  // A library exception without a class of ours: its own text is the best code.
  return std::string("Error Code: ") + e.what();
}

}  // namespace lumarte::editor
