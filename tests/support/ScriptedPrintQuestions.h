#pragma once
// Answers the Print command's two dialogs without showing them.
#include <optional>

#include "editor/model/PrintCommand.h"

class ScriptedPrintQuestions : public lumarte::editor::TPrintQuestions {
 public:
  std::optional<lumarte::editor::TPrintOptions> Options = lumarte::editor::TPrintOptions{};
  bool PrinterChosen = true;
  std::optional<lumarte::editor::TPrintOptions> AskPrintOptions() override { return Options; }
  bool AskPrinter() override { return PrinterChosen; }
};
