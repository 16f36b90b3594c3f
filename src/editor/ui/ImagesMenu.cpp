// The Images menu: the Images window and one item per open image.
#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QScreen>

#include "editor/ui/ImagesWindow.h"
#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

void TForm1::BuildImagesMenu() {
  QMenu* menu = AddMenu("LMImages1", "Images");
  AddItems(menu, {
                     {"LMShowImagesWindow1", "Show Images Window", "F12",
                      Do(&TForm1::LMShowImagesWindow1Click)},
                     {},
                 });
  for (int k = 1; k <= kSlotCount; ++k) {
    QAction* item = menu->addAction(QString());
    item->setObjectName(QString("LMIm%1").arg(k));
    connect(item, &QAction::triggered, this, [this, k] { Guard([=, this] { LMImClick(k); }); });
  }
  RebuildImagesMenu();
}

void TForm1::RebuildImagesMenu() {
  auto items = Docs.ImagesMenu();
  for (int k = 1; k <= kSlotCount; ++k) {
    QAction* item = findChild<QAction*>(QString("LMIm%1").arg(k));
    if (!item) return;  // during construction
    // "&" in a file name is text, not a keyboard accelerator.
    item->setText(QString::fromStdString(items[k - 1].Caption).replace("&", "&&"));
    item->setVisible(items[k - 1].Visible);
  }
}

void TForm1::LMShowImagesWindow1Click() {
  const bool place = !ImagesForm->isVisible() && screen();
  // Along the bottom of the screen, where it covers least of the image.
  auto placeAtBottom = [this] {
    const QRect area = screen()->availableGeometry();
    ImagesForm->move(area.left(), area.bottom() - ImagesForm->frameGeometry().height() - 8);
  };
  if (place) placeAtBottom();
  ImagesForm->show();
  ImagesForm->raise();
  // The window manager adds the title bar only once the window is mapped;
  // place it again when the frame is known so that all of it is on screen.
  if (place) QTimer::singleShot(300, ImagesForm, placeAtBottom);
}

void TForm1::LMImClick(int k) {
  Docs.SwitchTo(k - 1);
}

void TForm1::HistoryPick(int k) {
  Docs.HistoryPick(k);
}

}  // namespace lumarte::editor
