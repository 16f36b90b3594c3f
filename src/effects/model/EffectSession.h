#pragma once
// The life of one effect dialog's result: compute, preview in the document
// window, apply with one undo step, or throw away. Plain C++ so that tests
// drive it; the dialog only forwards its buttons here.
#include <functional>
#include <memory>

#include "editor/model/DocumentList.h"
#include "effects/model/EffectInput.h"

namespace lumarte::effects {

enum class RecomputePolicy {
  Always,        // OK computes again (fast effects)
  ReusePreview,  // OK applies the previewed result unless a control changed it
};

class EffectSession {
 public:
  using Compute = std::function<editor::TBitmap(const EffectInput&)>;

  EffectSession(editor::DocumentList& documents, RecomputePolicy policy, Compute compute);

  bool HasResult = false;
  bool PreviewShown = false;
  bool Busy = false;
  bool Aborted = false;
  std::unique_ptr<editor::TBitmap> ResultBitmap;
  ProgressReporter* Progress = nullptr;  // null: nobody watches
  // The last pressed point on the image, handed to the effect.
  editor::TPoint LastPressed{-1, -1};

  void Show();
  void PreviewButtonClick();
  // Returns true when the result was applied to the document.
  bool OKButtonClick();
  void CancelButtonClick();
  void FormClose();
  // A control whose change makes the result stale.
  void Invalidate() { HasResult = false; }
  // The progress window's Abort handler.
  void Abort() { Aborted = true; }

 private:
  void ComputeEffect();
  void RestoreDocumentImage();
  editor::DocumentList& Documents;
  RecomputePolicy Policy;
  Compute Run;
};

}  // namespace lumarte::effects
