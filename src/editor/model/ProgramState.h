#pragma once
// The state the program builds before its first window and keeps to the end:
// the program-folder pictures, the settings with the recent files, and the
// temporary files to delete at exit.
#include <string>

#include "editor/model/Bitmap.h"
#include "editor/model/ColorSet.h"
#include "editor/model/ProgramPictures.h"
#include "editor/model/ProgramSettings.h"
#include "editor/model/TempFiles.h"

namespace lumarte::editor {

struct TProgramState {
  // Neutral pictures until the program folder's are loaded.
  TBitmap DialogBackground = NeutralPicture();
  TBitmap Placeholder = NeutralPicture();
  // The drawing colours and the pen width for painting.
  TColorSet Colours;
  TSettings Settings;
  TTempFiles TempFiles;
};

// The program's one instance.
TProgramState& ProgramState();

// Start-up: the pictures from programFolder (neutral ones when missing), then
// the settings table with its missing records, the default folder (which may
// become the current folder) and the recent files.
void LoadProgramState(TProgramState& state, const std::string& programFolder,
                      const std::string& keyPath = kSettingsKeyPath);

// Exit: the settings go back into the table and to the store; the temporary
// files are deleted, even when storing fails.
void SaveProgramState(TProgramState& state, const std::string& keyPath = kSettingsKeyPath);

}  // namespace lumarte::editor
