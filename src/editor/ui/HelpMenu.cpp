// The Help menu; the help pages and the readme come with the program
// folder's files.
#include <QMenu>

#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

void TForm1::BuildHelpMenu() {
  QMenu* menu = AddMenu("LMHelp1", "Help");
  AddItems(menu, {
                     {"LMHelp2", "Help", "F1", {}},
                     {"LMFAQ1", "FAQ", nullptr, {}},
                     {"LMReadme1", "Readme", nullptr, {}},
                 });
}

}  // namespace lumarte::editor
