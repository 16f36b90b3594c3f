#pragma once
// The one progress window of the program, with its Abort button. Long
// computations report through it; repaints are throttled so that reporting
// never dominates the work, while Abort stays responsive.
#include <QDialog>
#include <QElapsedTimer>
#include <functional>

#include "base/Progress.h"

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace lumarte::effects {

class TProgress : public QDialog, public ProgressReporter {
 public:
  static TProgress& Instance();

  void SetProgress(int min, int position, const std::string& text, int max) override;
  bool AbortRequested() const override { return AbortFlag; }
  void SetAbortHandler(std::function<void()> handler);
  // The default handler only explains that this computation cannot stop.
  void ResetAbortHandler();
  // Starts a computation: clears the abort flag; the window appears with the
  // first report.
  void Begin(std::function<void()> abortHandler);
  void End();
  void Button1Click();

  QProgressBar* ProgressBar1;
  QLineEdit* Edit1;
  QPushButton* Button1;

 private:
  TProgress();
  std::function<void()> AbortHandler;
  QElapsedTimer SinceRepaint;
  bool AbortFlag = false;
};

}  // namespace lumarte::effects
