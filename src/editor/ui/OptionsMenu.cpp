// The Options menu; the options dialog and the colour set come with their
// own work.
#include <QMenu>

#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

void TForm1::BuildOptionsMenu() {
  QMenu* menu = AddMenu("LMOptions1", "Options");
  AddItems(menu,
           {
               {"LMOptionsMenuItem", "Options", nullptr, {}},
               {"LMSelectColors1", "Select Colors", nullptr, {}},
               {"LMUseWizardforThumbnailCreator1", "Use Wizard for Thumbnail Creator", nullptr, {}},
           });
}

}  // namespace lumarte::editor
