#pragma once
// The Print command's questions answered by its two dialogs: the options
// dialog (made on first use and kept) and the system print dialog over the
// run's one printer.
#include <memory>

#include "editor/model/PrintCommand.h"

class QWidget;

namespace lumarte::platform {
class TQtPrinter;
}

namespace lumarte::editor {

class TPrintForm;

class TPrintDialogs : public TPrintQuestions {
 public:
  TPrintDialogs(QWidget* window, std::shared_ptr<platform::TQtPrinter> printer);

  std::optional<TPrintOptions> AskPrintOptions() override;
  bool AskPrinter() override;

  // Null until the first print command.
  TPrintForm* PrintForm = nullptr;

 private:
  QWidget* Window;
  std::shared_ptr<platform::TQtPrinter> Printer;
};

}  // namespace lumarte::editor
