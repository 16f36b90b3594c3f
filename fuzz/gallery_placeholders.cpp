// Placeholder substitution over arbitrary page text with parameter names and
// values taken from the input: values that hold placeholders must not loop.
#include <cstdint>
#include <string>
#include <vector>

#include "gallery/model/Templates.h"
#include "imaging/Errors.h"

using namespace lumarte::gallery;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // Fields separated by NUL: text, then name/value pairs.
  std::vector<std::string> parts;
  size_t b = 0;
  for (size_t e; (e = input.find('\0', b)) != std::string::npos; b = e + 1) parts.push_back(input.substr(b, e - b));
  parts.push_back(input.substr(b));
  TPlaceholderValues v;
  v.GalleryFileName = "<!!replaceWithGalleryFile!!>";
  v.FirstImageLink = "images/<!!replaceWithFirstImageLink!!>";
  for (size_t k = 0; k < 8 && 2 + 2 * k < parts.size(); ++k) {
    v.ParameterNames[k] = parts[1 + 2 * k];
    v.ParameterValues[k] = parts[2 + 2 * k];
  }
  try {
    SubstitutePlaceholders(parts[0], v);
  } catch (const lumarte::ELumarteError&) {
  }
  return 0;
}
