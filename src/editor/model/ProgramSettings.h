#pragma once
// The settings table: one record per setting in a four-field table of the
// text-table store, read at start-up and written back at exit.
#include <string>

#include "editor/model/Qv_Database.h"
#include "editor/model/RecentFiles.h"

namespace lumarte::editor {

inline constexpr const char* kSettingsKeyPath = "Software\\Tarvex\\Lumarte";

// The fields of the settings table, in order.
enum TSettingsField : int { sfOption = 0, sfStringValue = 1, sfIntValue = 2, sfBoolValue = 3 };

inline constexpr const char* kPolygonAfterFreehand = "PolygonSelectAfterFreehandSelect";
inline constexpr const char* kUseThumbnailWizard = "useThumbnailCreatorWizard";
inline constexpr const char* kDefaultDir = "DefaultDir";
inline constexpr const char* kNoOfRecentFiles = "NoOfRecentFiles";
inline constexpr const char* kRecentFilePrefix = "RecentFile";

// An empty table "Options" with the four settings fields.
Qv_Database NewSettingsTable();
// Exactly the fields "Option", "StringValue", "IntValue", "BoolValue" in order.
bool HasSettingsFields(const Qv_Database& table);
// The table in a stored text, or a fresh one when the text is missing, empty,
// unreadable or not a settings table.
Qv_Database SettingsTableFromStore(const std::string& keyPath);

class TSettings {
 public:
  Qv_Database Table = NewSettingsTable();
  // The start folder and whether it is used.
  std::string DefaultDir = ".";
  bool UseDefaultDir = false;
  TRecentFiles Recent;

  // Start-up: read the store, add missing records, apply the DefaultDir rule
  // (which may change the current folder) and read the recent files.
  void Load(const std::string& keyPath = kSettingsKeyPath);
  void AddMissingRecords();
  void ApplyDefaultDirRule();
  void ReadRecentFiles();

  // Exit: DefaultDir, NoOfRecentFiles and the recent files go back into the
  // table, which is then stored.
  void WriteBack();
  void Save(const std::string& keyPath = kSettingsKeyPath);

  // Index of the record of option, added with its default when missing.
  int Record(const std::string& option);
  bool GetBool(const std::string& option);
  // Flips a BOOL setting between "TRUE" and "FALSE"; gives the new value.
  bool ToggleBool(const std::string& option);
  // The Options dialog's spin edit: stored at once.
  void SetNoOfRecentFiles(int count);
  // A folder chosen in the Options dialog: becomes the default folder and the
  // current folder. False (nothing changes) when it cannot be entered.
  bool ChooseDefaultDir(const std::string& folder);

 private:
  void SetString(const std::string& option, const std::string& value);
};

}  // namespace lumarte::editor
