// Arbitrary text as a gallery ".set" file: set files are shared between
// users. The named images do not exist, so every record is looked up and
// skipped; values are stored without escaping, so only the reading is checked.
#include <cstdint>
#include <string>

#include "gallery/model/SetFile.h"

using namespace lumarte::gallery;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  GalleryProject project;
  ReadSetText(project, text);
  if (project.Entries.size() > size / 39 + 1) __builtin_trap();
  for (const auto& e : project.Entries)
    if (e.Name.find_first_of("/\\") != std::string::npos) __builtin_trap();
  return 0;
}
