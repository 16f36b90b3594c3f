// The Selection menu; the selection tools arrive with the mouse tools and
// are shown disabled until then.
#include <QMenu>

#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

void TForm1::BuildSelectionMenu() {
  QMenu* menu = AddMenu("LMSelection1", "Selection");
  AddItems(menu, {
                     {"LMRectangle1", "Rectangle", nullptr, {}},
                     {"LMPoint1", "Point", nullptr, {}},
                     {"LMCircle1", "Circle", nullptr, {}},
                     {"LMPolygon1", "Polygon", nullptr, {}},
                     {"LMFreehand1", "Freehand", nullptr, {}},
                     {"LMbyColor1", "by Color", nullptr, {}},
                     {"LMPSelectByColorincurrentselection1",
                      "Select by Color in current selection",
                      nullptr,
                      {}},
                     {},
                     {"LMSelectAll1", "Select All", nullptr, {}},
                     {"LMTrim1", "Trim (cuts all unselected areas)", "Ctrl+T", {}},
                     {},
                     {"LMAfterFreehandswitchtoPolygon",
                      "After Freehand Selection, switch to Polygon Selection for further editing",
                      nullptr, Do(&TForm1::LMAfterFreehandswitchtoPolygonClick)},
                 });
}

}  // namespace lumarte::editor
