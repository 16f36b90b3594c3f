// The Paint menu; painting arrives with the mouse tools.
#include <QMenu>

#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

void TForm1::BuildPaintMenu() {
  QMenu* menu = AddMenu("LMPaint1", "Paint");
  AddItems(menu, {
                     {"LMFreehand2", "Freehand", nullptr, {}},
                     {"LMLine1", "Line", nullptr, {}},
                 });
}

}  // namespace lumarte::editor
