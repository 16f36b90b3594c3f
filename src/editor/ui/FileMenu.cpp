// The File menu: documents in and out, the tools, the recent files, Exit.
#include <QAction>
#include <QMenu>

#include "editor/ui/MainWindow.h"
#include "editor/ui/PrintDialogs.h"
#include "platform/Printer.h"

namespace lumarte::editor {

void TForm1::BuildFileMenu() {
  QMenu* menu = AddMenu("LMFile1", "File");
  AddItems(menu, {
                     {"LMNew1", "New", nullptr, Do(&TForm1::LMNew1Click)},
                     {"LMOpen1", "Open", "Ctrl+O", Do(&TForm1::LMOpen1Click)},
                     {"LMSave1", "Save", "Ctrl+S", Do(&TForm1::LMSave1Click)},
                     {"LMSaveas1", "Save as", nullptr, Do(&TForm1::LMSaveas1Click)},
                     {"LMClose1", "Close", nullptr, Do(&TForm1::LMClose1Click)},
                     {"LMCloseAll1", "Close All", nullptr, Do(&TForm1::LMCloseAll1Click)},
                     {},
                     {"LMPrint1", "Print", nullptr, Do(&TForm1::LMPrint1Click)},
                     {},
                     {"LMSendtoThumbnailCreator1", "Send to Thumbnail Creator", nullptr,
                      Do(&TForm1::LMSendtoThumbnailCreator1Click)},
                     {"LMThumbnailCreator1", "Thumbnail Creator", "F2",
                      Do(&TForm1::LMThumbnailCreator1Click)},
                     {"LMBrowse1", "Browse ...", "F11", Do(&TForm1::LMBrowse1Click)},
                     {"LMVideo1", "Video Player", "F3", Do(&TForm1::LMVideo1Click)},
                     {"LMScreenCapturer1", "Screen Capturer", "F4", {}},
                     {"LMScreenCaptureNow1",
                      "Screen Capture Now   (Attention: uses last capture setup!)",
                      "Ctrl+Alt+<",
                      {}},
                     {},
                 });
  for (int k = 1; k <= TRecentFiles::kMaxEntries; ++k) {
    QAction* item = menu->addAction(QString());
    item->setObjectName(QString("N1%1").arg(k));
    connect(item, &QAction::triggered, this, [this, k] { Guard([=, this] { N110Click(k); }); });
  }
  menu->addSeparator();
  AddItems(menu, {{"LMExit1", "Exit", "Ctrl+X", Do(&TForm1::LMExit1Click)}});
  UpdateRecentFileItems();
}

void TForm1::UpdateRecentFileItems() {
  for (int k = 1; k <= TRecentFiles::kMaxEntries; ++k) {
    QAction* item = findChild<QAction*>(QString("N1%1").arg(k));
    if (!item) continue;
    item->setText(QString::fromStdString(Files.Recent.Caption(k)));
    item->setVisible(k <= Files.Recent.NoOfRecentFiles);
    // An entry without a name has nothing to open.
    item->setEnabled(!Files.Recent.Entry(k).empty());
  }
}

void TForm1::LMNew1Click() {
  Files.LMNew1Click();
}
void TForm1::LMOpen1Click() {
  Files.LMOpen1Click();
}
void TForm1::LMSave1Click() {
  Files.LMSave1Click();
}
void TForm1::LMSaveas1Click() {
  Files.LMSaveas1Click();
}
void TForm1::LMClose1Click() {
  Docs.LMClose1Click();
}
void TForm1::LMCloseAll1Click() {
  Docs.LMCloseAll1Click();
}
void TForm1::N110Click(int k) {
  Files.N110Click(k);
}
void TForm1::LMPrint1Click() {
  if (!Printer || !PrintQuestions) {
    auto printer = std::make_shared<platform::TQtPrinter>();
    if (!PrintQuestions) PrintQuestions = std::make_shared<TPrintDialogs>(this, printer);
    if (!Printer) Printer = printer;
  }
  RunPrintCommand(Docs, *PrintQuestions, *Printer);
}
void TForm1::LMExit1Click() {
  close();
}

}  // namespace lumarte::editor
