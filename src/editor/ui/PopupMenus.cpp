// PopupMenu1 (a right click on the image) and PopupSelect (a click on the
// mode icons): selection, colour and paint commands at the pointer.
#include <QLabel>
#include <QMenu>

#include "editor/model/ColorCommands.h"
#include "editor/ui/ColorForm.h"
#include "editor/ui/ColorPanel.h"
#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

namespace {

QAction* AddAction(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  return a;
}

QMenu* AddSub(QMenu* menu, const char* name, const char* caption) {
  QMenu* sub = menu->addMenu(caption);
  sub->setObjectName(name);
  sub->menuAction()->setObjectName(name);
  return sub;
}

}  // namespace

void TForm1::BuildPopupMenus() {
  auto command = [this](QMenu* menu, const char* name, const char* caption,
                        std::function<void()> run) {
    QAction* a = AddAction(menu, name, caption);
    connect(a, &QAction::triggered, this, [this, run] { Guard(run); });
    return a;
  };
  auto modeCommand = [&](QMenu* menu, const char* name, const char* caption, int32_t kind,
                         std::function<void()> run) {
    QAction* a = command(menu, name, caption, std::move(run));
    a->setCheckable(true);
    a->setProperty("lumarteKind", kind);
  };

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  command(PopupMenu1, "PSelectAll1", "Select All", [this] { LMSelectAll1Click(); });
  QMenu* to = AddSub(PopupMenu1, "ToSelection1", "To Selection");
  command(to, "toLeftTop1", "Left Top", [this] { Selections.toLeftTop1Click(); });
  command(to, "toRightBottom1", "Right Bottom", [this] { Selections.toRightBottom1Click(); });
  command(to, "toCenter1", "Center", [this] { Selections.toCenter1Click(); });
  PopupMenu1->addSeparator();
  QMenu* toColour = nullptr;
  for (const TColourCommand& c : kTakeColourCommands) {
    QMenu* into = PopupMenu1;
    if (c.Member >= TColorMember::Color1) {
      if (!toColour) toColour = AddSub(PopupMenu1, "toColor1", "to Color");
      into = toColour;
    }
    command(into, c.Name, c.Caption, [this, m = c.Member] { TakeColour(m); });
  }
  QMenu* fg = AddSub(PopupMenu1, "switchForegroundColorand1", "switch Foreground Color and");
  for (const TColourCommand& c : kSwitchForegroundCommands)
    command(fg, c.Name, c.Caption, [this, m = c.Member] { SwitchColours(TColorMember::FG, m); });
  QMenu* bg = AddSub(PopupMenu1, "switchBackgroundColorand1", "switch Background Color and ");
  for (const TColourCommand& c : kSwitchBackgroundCommands)
    command(bg, c.Name, c.Caption, [this, m = c.Member] { SwitchColours(TColorMember::BG, m); });
  command(PopupMenu1, "PEditColors1", "Edit Colors", [this] { EditColors(); });
  PopupMenu1->addSeparator();
  modeCommand(PopupMenu1, "PPaintFreehand1", "Paint Freehand", SelKind::PaintFreehand,
              [this] { Mouse.LMFreehand2Click(); });
  modeCommand(PopupMenu1, "PPaintLine1", "Paint Line", SelKind::PaintLine,
              [this] { Mouse.LMLine1Click(); });

  PopupSelect = new QMenu(this);
  PopupSelect->setObjectName("PopupSelect");
  SelectionController& s = Selections;
  modeCommand(PopupSelect, "PRectangle1", "Rectangle", SelKind::Rectangle,
              [&s] { s.LMRectangle1Click(); });
  modeCommand(PopupSelect, "PPoint1", "Point", SelKind::Point, [&s] { s.LMPoint1Click(); });
  modeCommand(PopupSelect, "PCircle1", "Circle", SelKind::Circle, [&s] { s.LMCircle1Click(); });
  modeCommand(PopupSelect, "PPolygon1", "Polygon", SelKind::Polygon, [&s] { s.LMPolygon1Click(); });
  modeCommand(PopupSelect, "PFreehand1", "Freehand", SelKind::Freehand,
              [&s] { s.LMFreehand1Click(); });
  QAction* byColour = command(PopupSelect, "PbyColor1", "by Color", [&s] { s.LMbyColor1Click(); });
  byColour->setCheckable(true);
  byColour->setProperty("lumarteByColor", true);
  PopupSelect->addSeparator();
  modeCommand(PopupSelect, "PSPaintFreehand1", "Paint Freehand", SelKind::PaintFreehand,
              [this] { Mouse.LMFreehand2Click(); });
  modeCommand(PopupSelect, "PSPaintLine1", "Paint Line", SelKind::PaintLine,
              [this] { Mouse.LMLine1Click(); });
  ModeChanged();
}

// The pixel under the pointer, read back from the "RGB: " panel.
void TForm1::TakeColour(TColorMember member) {
  TakeStatusColour(Colours, member, StatusPanels[3]->text().toStdString());
  ColoursChanged();
  if (member == TColorMember::TCI) EditColors();
}

bool TForm1::EditColors() {
  if (!ColorForm->Execute()) return false;
  ColoursChanged();
  return true;
}

void TForm1::SwitchColours(TColorMember a, TColorMember b) {
  Colours.SwapColours(a, b);
  ColoursChanged();
}

}  // namespace lumarte::editor
