// The Paint menu: freehand and line painting with FG and the pen width.
#include <QMenu>

#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

void TForm1::BuildPaintMenu() {
  QMenu* menu = AddMenu("LMPaint1", "Paint");
  AddItems(menu, {
                     {"LMFreehand2", "Freehand", nullptr, [this] { Mouse.LMFreehand2Click(); }},
                     {"LMLine1", "Line", nullptr, [this] { Mouse.LMLine1Click(); }},
                 });
  for (auto [name, kind] : {std::pair{"LMFreehand2", SelKind::PaintFreehand},
                            std::pair{"LMLine1", SelKind::PaintLine}}) {
    Item(name)->setCheckable(true);
    Item(name)->setProperty("lumarteKind", kind);
  }
}

}  // namespace lumarte::editor
