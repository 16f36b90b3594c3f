#include "base/Progress.h"

#include "imaging/Errors.h"

namespace lumarte {

void ReportProgress(ProgressReporter& progress, int position, const std::string& text, int max) {
  progress.SetProgress(0, position, text, max);
  if (progress.AbortRequested()) throw ELumarteError("Aborted");
}

}  // namespace lumarte
