#pragma once
// How long computations report progress and learn of an Abort.
#include <string>

namespace lumarte {

class ProgressReporter {
 public:
  virtual ~ProgressReporter() = default;
  // Sets the bar and its text; the window also handles pending events here,
  // which is how the Abort button is noticed.
  virtual void SetProgress(int min, int position, const std::string& text, int max) = 0;
  virtual bool AbortRequested() const = 0;
};

// Progress that nobody watches (command line, tests).
class NullProgress : public ProgressReporter {
 public:
  void SetProgress(int, int, const std::string&, int) override {}
  bool AbortRequested() const override { return false; }
};

// Reports and raises ELumarteError "Aborted" when the user asked to stop.
void ReportProgress(ProgressReporter& progress, int position, const std::string& text, int max);

}  // namespace lumarte
