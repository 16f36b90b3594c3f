#pragma once
// What the application error handler shows for an exception that reached the
// main loop.
#include <exception>
#include <string>

namespace lumarte::editor {

// The class name an exception reports under: ours give their own, standard
// ones map to the names of their kind (std::bad_alloc is "EOutOfMemory").
std::string ExceptionClassName(const std::exception_ptr& error);

// "OutOfMemory" for "EOutOfMemory", "ConvertError" for "EConvertError",
// "Foo" for "EFooException".
std::string ErrorCodeFromClassName(const std::string& className);

enum class TErrorAction {
  // Show Text, then close all images and end the program.
  CloseAllAndTerminate,
  // Show Text in a message box.
  ShowMessage,
};

struct TErrorReport {
  TErrorAction Action = TErrorAction::ShowMessage;
  std::string Text;
};

extern const char* const kOutOfResourcesMessage;

// Decides what each exception shows. The out-of-resources path is taken the
// first time only; later ones are shown by their code.
class TErrorClassifier {
 public:
  TErrorReport Classify(const std::exception_ptr& error);

 private:
  bool OutOfResourcesSeen = false;
};

}  // namespace lumarte::editor
