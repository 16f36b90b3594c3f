#include "effects/model/Progress.h"

#include "imaging/Errors.h"

namespace lumarte::effects {

void ReportProgress(ProgressReporter& progress, int position, const std::string& text, int max) {
  progress.SetProgress(0, position, text, max);
  if (progress.AbortRequested()) throw ELumarteError("Aborted");
}

}  // namespace lumarte::effects
