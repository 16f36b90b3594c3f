// The Options menu: the options dialog, the colour dialog and the stored
// toggles.
#include <QAction>
#include <QMenu>

#include "editor/model/ProgramState.h"
#include "editor/ui/MainWindow.h"
#include "editor/ui/OptionsForm.h"

namespace lumarte::editor {

void TForm1::BuildOptionsMenu() {
  QMenu* menu = AddMenu("LMOptions1", "Options");
  AddItems(menu,
           {
               {"LMOptionsMenuItem", "Options", nullptr, Do(&TForm1::LMOptionsMenuItemClick)},
               {"LMSelectColors1", "Select Colors", nullptr, Do(&TForm1::LMSelectColors1Click)},
               {"LMUseWizardforThumbnailCreator1", "Use Wizard for Thumbnail Creator", nullptr,
                Do(&TForm1::LMUseWizardforThumbnailCreator1Click)},
           });
}

void TForm1::ShowSettingTicks() {
  TSettings& settings = ProgramState().Settings;
  for (auto [name, option] : {std::pair{"LMAfterFreehandswitchtoPolygon", kPolygonAfterFreehand},
                              std::pair{"LMUseWizardforThumbnailCreator1", kUseThumbnailWizard}}) {
    QAction* item = Item(name);
    if (!item) continue;
    item->setCheckable(true);
    item->setChecked(settings.GetBool(option));
  }
}

void TForm1::LMOptionsMenuItemClick() {
  OptionsForm->Execute();
}

void TForm1::LMSelectColors1Click() {
  EditColors();
}

void TForm1::LMUseWizardforThumbnailCreator1Click() {
  ProgramState().Settings.ToggleBool(kUseThumbnailWizard);
  ShowSettingTicks();
}

void TForm1::LMAfterFreehandswitchtoPolygonClick() {
  ProgramState().Settings.ToggleBool(kPolygonAfterFreehand);
  ShowSettingTicks();
}

}  // namespace lumarte::editor
