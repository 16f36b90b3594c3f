// Feeds arbitrary text to the language-file parser and its lookup.
#include <cstdint>
#include <string>

#include "editor/model/Internationalization.h"
#include "editor/model/SettingsStore.h"

using namespace lumarte::editor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TLanguageTable table = ParseLanguageFile(SplitLines(text));
  if (table.Names.size() != table.Values.size()) __builtin_trap();
  for (const auto& value : table.Values)
    if (value.size() > kMaxLanguageValue) __builtin_trap();
  for (const auto& name : table.Names) FindLanguageEntry(table, name);
  return 0;
}
