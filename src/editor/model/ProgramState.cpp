#include "editor/model/ProgramState.h"

#include "editor/model/ProgramPictures.h"
#include "imaging/FileUtils.h"

namespace lumarte::editor {

TProgramState& ProgramState() {
  static TProgramState state;
  return state;
}

void LoadProgramState(TProgramState& state, const std::string& programFolder,
                      const std::string& keyPath) {
  std::string folder = imaging::AddBackslash(programFolder);
  state.DialogBackground = LoadProgramPicture(folder + kDialogBackgroundFile);
  state.Placeholder = LoadProgramPicture(folder + kPlaceholderFile);
  state.Colours = TColorSet();
  state.Settings.Load(keyPath);
}

void SaveProgramState(TProgramState& state, const std::string& keyPath) {
  try {
    state.Settings.WriteBack();
    state.Settings.Save(keyPath);
  } catch (...) {
    state.TempFiles.DeleteAll();
    throw;
  }
  state.TempFiles.DeleteAll();
}

}  // namespace lumarte::editor
