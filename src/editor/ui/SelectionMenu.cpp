// The Selection menu: the shapes, by colour, Select All, Trim and the
// freehand-to-polygon option. The work is in the selection controller.
#include <QMenu>

#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

void TForm1::BuildSelectionMenu() {
  QMenu* menu = AddMenu("LMSelection1", "Selection");
  SelectionController& s = Selections;
  auto run = [&s](void (SelectionController::*command)()) {
    return [&s, command] { (s.*command)(); };
  };
  AddItems(menu,
           {
               {"LMRectangle1", "Rectangle", nullptr, run(&SelectionController::LMRectangle1Click)},
               {"LMPoint1", "Point", nullptr, run(&SelectionController::LMPoint1Click)},
               {"LMCircle1", "Circle", nullptr, run(&SelectionController::LMCircle1Click)},
               {"LMPolygon1", "Polygon", nullptr, run(&SelectionController::LMPolygon1Click)},
               {"LMFreehand1", "Freehand", nullptr, run(&SelectionController::LMFreehand1Click)},
               {"LMbyColor1", "by Color", nullptr, run(&SelectionController::LMbyColor1Click)},
               {"LMPSelectByColorincurrentselection1", "Select by Color in current selection",
                nullptr, run(&SelectionController::LMPSelectByColorincurrentselection1Click)},
               {},
               {"LMSelectAll1", "Select All", nullptr, Do(&TForm1::LMSelectAll1Click)},
               {"LMTrim1", "Trim (cuts all unselected areas)", "Ctrl+T", Do(&TForm1::LMTrim1Click)},
               {},
               {"LMAfterFreehandswitchtoPolygon",
                "After Freehand Selection, switch to Polygon Selection for further editing",
                nullptr, Do(&TForm1::LMAfterFreehandswitchtoPolygonClick)},
           });
  const std::pair<const char*, int32_t> modes[] = {{"LMRectangle1", SelKind::Rectangle},
                                                   {"LMPoint1", SelKind::Point},
                                                   {"LMCircle1", SelKind::Circle},
                                                   {"LMPolygon1", SelKind::Polygon},
                                                   {"LMFreehand1", SelKind::Freehand}};
  for (auto [name, kind] : modes) {
    Item(name)->setCheckable(true);
    Item(name)->setProperty("lumarteKind", kind);
  }
  Item("LMbyColor1")->setCheckable(true);
  Item("LMbyColor1")->setProperty("lumarteByColor", true);
}

void TForm1::LMSelectAll1Click() {
  Selections.LMSelectAll1Click();
}

void TForm1::LMTrim1Click() {
  Selections.LMTrim1Click();
}

}  // namespace lumarte::editor
