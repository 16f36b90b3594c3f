// Arbitrary text as a template's ".tpl" file: every reader of its keys, from
// the dialog's parameter rows to the run's COPY lines.
#include <cstdint>
#include <string>

#include "gallery/model/Templates.h"
#include "imaging/Errors.h"

using namespace lumarte::gallery;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto lines = SplitLines(std::string(reinterpret_cast<const char*>(data), size));
  const TTemplateParameters t = ReadTemplateParameters(lines);
  if (t.Count < 0 || t.Count > 8) __builtin_trap();
  TGallerySettings s;
  s.ProgramFolder = "/nonexistent";
  try {
    ApplyTemplateSettings(lines, s);
  } catch (const lumarte::EConvertError&) {
  }
  for (const auto& c : ReadTemplateRunKeys(lines).Copies)
    if (IsContainedPath(c.Target) && (c.Target == ".." || c.Target.rfind("../", 0) == 0 || c.Target[0] == '/')) __builtin_trap();
  return 0;
}
