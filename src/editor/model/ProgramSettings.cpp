#include "editor/model/ProgramSettings.h"

#include <filesystem>
#include <vector>

namespace lumarte::editor {

namespace {

constexpr const char* kFieldNames[] = {"Option", "StringValue", "IntValue", "BoolValue"};

std::vector<TElement> DefaultRecords() {
  std::vector<TElement> records = {
      {kPolygonAfterFreehand, "", "", "FALSE"},
      {kUseThumbnailWizard, "", "", "FALSE"},
      {kDefaultDir, ".", "", "FALSE"},
      {kNoOfRecentFiles, "", "2", ""},
  };
  for (int k = 1; k <= TRecentFiles::kMaxEntries; ++k)
    records.push_back({kRecentFilePrefix + std::to_string(k), "", "", ""});
  return records;
}

std::string RecentFileOption(int k) {
  return kRecentFilePrefix + std::to_string(k);
}

// A text that would not read back as itself (a line break, or a line taken
// for a marker) is not stored.
bool Storable(const std::string& text) {
  return text.find_first_of("\r\n") == std::string::npos && text.rfind("##", 0) != 0;
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

bool EnterFolder(const std::string& path) {
  std::error_code ec;
  std::filesystem::current_path(path, ec);
  return !ec;
}

}  // namespace

Qv_Database NewSettingsTable() {
  Qv_Database table("Options");
  const TFieldType types[] = {ftString, ftString, ftInt, ftBool};
  for (int f = 0; f < 4; ++f) table.AddField(f, kFieldNames[f], "", "", types[f]);
  return table;
}

bool HasSettingsFields(const Qv_Database& table) {
  if (table.FieldCount() != 4) return false;
  for (int f = 0; f < 4; ++f)
    if (table.FieldName(f) != kFieldNames[f]) return false;
  return true;
}

Qv_Database SettingsTableFromStore(const std::string& keyPath) {
  Qv_Database table;
  try {
    if (table.LoadFromStore(keyPath) && HasSettingsFields(table)) return table;
  } catch (const ELumarteBase&) {
    // Unreadable settings are replaced, never fatal.
  }
  return NewSettingsTable();
}

void TSettings::Load(const std::string& keyPath) {
  Table = SettingsTableFromStore(keyPath);
  AddMissingRecords();
  ApplyDefaultDirRule();
  ReadRecentFiles();
}

void TSettings::AddMissingRecords() {
  for (const auto& record : DefaultRecords())
    if (Table.FindRecord(sfOption, record[sfOption]) < 0) Table.AddRecord(record);
}

int TSettings::Record(const std::string& option) {
  int index = Table.FindRecord(sfOption, option);
  if (index >= 0) return index;
  for (const auto& record : DefaultRecords())
    if (record[sfOption] == option) return Table.AddRecord(record);
  TElement record = Table.NewRecord();
  record[sfOption] = option;
  return Table.AddRecord(record);
}

void TSettings::ApplyDefaultDirRule() {
  int r = Record(kDefaultDir);
  std::string dir = Table.GetString(r, sfStringValue);
  UseDefaultDir = !dir.empty() && dir != "." && IsFolder(dir) && EnterFolder(dir);
  DefaultDir = UseDefaultDir ? dir : ".";
  if (!UseDefaultDir) {
    Table.SetValue(r, sfStringValue, ".");
    Table.SetValue(r, sfBoolValue, "FALSE");
  }
}

void TSettings::ReadRecentFiles() {
  Recent.NoOfRecentFiles = ClampRecentFileCount(Table.GetInt(Record(kNoOfRecentFiles), sfIntValue));
  for (int k = 1; k <= TRecentFiles::kMaxEntries; ++k)
    Recent.SetEntry(k, Table.GetString(Record(RecentFileOption(k)), sfStringValue));
}

void TSettings::SetString(const std::string& option, const std::string& value) {
  Table.SetValue(Record(option), sfStringValue, Storable(value) ? value : std::string());
}

void TSettings::WriteBack() {
  bool use = UseDefaultDir && Storable(DefaultDir);
  int r = Record(kDefaultDir);
  Table.SetValue(r, sfStringValue, use ? DefaultDir : ".");
  Table.SetValue(r, sfBoolValue, use ? "TRUE" : "FALSE");
  Table.SetValue(Record(kNoOfRecentFiles), sfIntValue, std::to_string(Recent.NoOfRecentFiles));
  for (int k = 1; k <= TRecentFiles::kMaxEntries; ++k)
    SetString(RecentFileOption(k), Recent.Entry(k));
}

void TSettings::Save(const std::string& keyPath) {
  Table.SaveToStore(keyPath);
}

bool TSettings::GetBool(const std::string& option) {
  return Table.GetBool(Record(option), sfBoolValue);
}

bool TSettings::ToggleBool(const std::string& option) {
  int r = Record(option);
  bool value = !Table.GetBool(r, sfBoolValue);
  Table.SetValue(r, sfBoolValue, value ? "TRUE" : "FALSE");
  return value;
}

void TSettings::SetNoOfRecentFiles(int count) {
  Recent.NoOfRecentFiles = ClampRecentFileCount(count);
  Table.SetValue(Record(kNoOfRecentFiles), sfIntValue, std::to_string(Recent.NoOfRecentFiles));
}

bool TSettings::ChooseDefaultDir(const std::string& folder) {
  if (!IsFolder(folder) || !EnterFolder(folder)) return false;
  DefaultDir = folder;
  UseDefaultDir = true;
  return true;
}

}  // namespace lumarte::editor
