#pragma once
// What the application error handler does with an exception that reached
// the main loop.
#include <exception>
#include <string>

namespace lumarte::editor {

enum class TErrorAction {
  // Show Text, then close all images and end the program.
  CloseAllAndTerminate,
  // Show Text in a message box.
  ShowMessage,
  // The user cancelled (EAbort): nothing is shown.
  Silent,
};

struct TErrorReport {
  TErrorAction Action = TErrorAction::ShowMessage;
  std::string Text;
};

extern const char* const kOutOfResourcesMessage;

// The out-of-resources path is taken the first time only; later ones are
// shown like any other error (ErrorMessageFor).
class TErrorClassifier {
 public:
  TErrorReport Classify(const std::exception_ptr& error);

 private:
  bool OutOfResourcesSeen = false;
};

}  // namespace lumarte::editor
