#include "editor/model/ErrorReport.h"

#include "editor/model/ErrorText.h"

namespace lumarte::editor {

const char* const kOutOfResourcesMessage =
    "Out of Ressources! Lumarte will terminate after closing all images.";

TErrorReport TErrorClassifier::Classify(const std::exception_ptr& error) {
  try {
    if (error) std::rethrow_exception(error);
  } catch (const std::exception& e) {
    std::string name = ExceptionClassName(e);
    if (name == "EAbort") return {TErrorAction::Silent, {}};
    if (name == "EOutOfResources" && !OutOfResourcesSeen) {
      OutOfResourcesSeen = true;
      return {TErrorAction::CloseAllAndTerminate, kOutOfResourcesMessage};
    }
    return {TErrorAction::ShowMessage, ErrorMessageFor(e)};
  } catch (...) {
  }
  return {TErrorAction::ShowMessage, kUnknownErrorMessage};
}

}  // namespace lumarte::editor
