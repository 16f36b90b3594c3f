#include "editor/ui/PrintDialogs.h"

#include <QPrintDialog>

#include "editor/ui/PrintForm.h"
#include "platform/Printer.h"

namespace lumarte::editor {

TPrintDialogs::TPrintDialogs(QWidget* window, std::shared_ptr<platform::TQtPrinter> printer)
    : Window(window), Printer(std::move(printer)) {}

std::optional<TPrintOptions> TPrintDialogs::AskPrintOptions() {
  if (!PrintForm) {
    PrintForm = new TPrintForm(Window);
    PrintForm->OrientationClicked = [this](bool landscape) { Printer->SetOrientation(landscape); };
  }
  return PrintForm->Execute();
}

bool TPrintDialogs::AskPrinter() {
  QPrintDialog dialog(&Printer->Device(), Window);
  dialog.setObjectName("PrintDialog1");
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace lumarte::editor
