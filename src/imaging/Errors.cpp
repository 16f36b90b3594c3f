#include "imaging/Errors.h"

#include <cstring>

namespace lumarte {

void RaiseAssertion(const char* file, int line, const char* what) {
  const char* slash = std::strrchr(file, '/');
  std::string unit = slash ? slash + 1 : file;
  throw EAssertionFailed("Assertion failed: " + std::string(what) + " (" + unit +
                         ", line " + std::to_string(line) + ")");
}

}  // namespace lumarte
