#pragma once
// A progress display whose Abort button is pressed from its AbortAt-th report
// on (counting from 1; 0: never), recording every report.
#include <string>
#include <vector>

#include "base/Progress.h"

namespace lumarte::fixtures {

struct AbortingProgress : ProgressReporter {
  struct Report {
    int Position, Max;
    std::string Text;
  };
  int AbortAt = 0;
  std::vector<Report> Reports;

  explicit AbortingProgress(int abortAt = 0) : AbortAt(abortAt) {}
  void SetProgress(int, int position, const std::string& text, int max) override {
    Reports.push_back({position, max, text});
  }
  bool AbortRequested() const override {
    return AbortAt > 0 && static_cast<int>(Reports.size()) >= AbortAt;
  }
};

}  // namespace lumarte::fixtures
