// The Help menu: the help pages go to the desktop's viewer, the readme to
// the text window.
#include <QMenu>

#include "editor/model/SettingsStore.h"
#include "editor/ui/MainWindow.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"

namespace lumarte::editor {

void TForm1::BuildHelpMenu() {
  QMenu* menu = AddMenu("LMHelp1", "Help");
  AddItems(menu, {
                     {"LMHelp2", "Help", "F1", Do(&TForm1::LMHelp2Click)},
                     {"LMFAQ1", "FAQ", nullptr, Do(&TForm1::LMFAQ1Click)},
                     {"LMReadme1", "Readme", nullptr, Do(&TForm1::LMReadme1Click)},
                 });
}

void TForm1::LMHelp2Click() {
  OpenDocument(imaging::ProgramDirectory() + "help.html");
}

void TForm1::LMFAQ1Click() {
  OpenDocument(imaging::ProgramDirectory() + "FAQ.html");
}

void TForm1::LMReadme1Click() {
  std::string file = imaging::ProgramDirectory() + "Readme.txt";
  auto text = ReadStoreFile(file);
  if (!text) throw ELumarteError("File not found: " + file);
  Prompts.ShowText(SplitLines(*text));
}

}  // namespace lumarte::editor
