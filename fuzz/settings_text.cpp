// Feeds arbitrary text to the settings-table reader, then reads the table's
// own text form back: stored settings are user-editable files.
#include <cstdint>
#include <string>

#include "editor/model/ProgramSettings.h"
#include "editor/model/SettingsStore.h"

using namespace lumarte::editor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  Qv_Database table;
  try {
    table.LoadFromStrings(SplitLines(text));
  } catch (const lumarte::EDBException&) {
    return 0;
  }
  table.FindRecord(0, kDefaultDir);
  table.GetBool(0, sfBoolValue);
  table.GetInt(1, sfIntValue);
  Qv_Database again;
  again.LoadFromStrings(SplitLines(JoinLinesCRLF(table.SaveToStrings())));
  if (again.FieldCount() != table.FieldCount()) __builtin_trap();
  return 0;
}
