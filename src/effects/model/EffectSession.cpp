#include "effects/model/EffectSession.h"

#include "editor/model/ProgramState.h"
#include "imaging/Errors.h"

namespace lumarte::effects {

namespace {

// Reports to the session's reporter and also notices Abort set by the session.
class SessionProgress : public ProgressReporter {
 public:
  SessionProgress(ProgressReporter* outer, const bool& aborted) : Outer(outer), Aborted(aborted) {}
  void SetProgress(int min, int position, const std::string& text, int max) override {
    if (Outer) Outer->SetProgress(min, position, text, max);
  }
  bool AbortRequested() const override { return Aborted || (Outer && Outer->AbortRequested()); }

 private:
  ProgressReporter* Outer;
  const bool& Aborted;
};

}  // namespace

EffectSession::EffectSession(editor::DocumentList& documents, RecomputePolicy policy,
                             Compute compute)
    : Documents(documents), Policy(policy), Run(std::move(compute)) {}

void EffectSession::Show() {
  HasResult = false;
  Busy = false;
}

namespace {

bool SameSize(const editor::TBitmap& a, const editor::TBitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height();
}

}  // namespace

void EffectSession::RestoreDocumentImage() {
  // A preview of another size had the window fitted to it; fit back.
  const bool resized = Documents.PreviewActive() &&
                       !SameSize(Documents.DisplayedRaster(), *Documents.Current().Bitmap);
  Documents.EndPreview();
  if (resized) Documents.FitWindow();
}

void EffectSession::ComputeEffect() {
  if (Busy) throw ELumarteError("");  // one computation at a time
  Aborted = false;
  Busy = true;
  if (HasResult || PreviewShown) {
    RestoreDocumentImage();
    PreviewShown = false;
    ResultBitmap.reset();
  }
  HasResult = true;
  editor::TBM& doc = Documents.Current();
  SessionProgress progress(Progress, Aborted);
  try {
    const editor::TSelectionTest selection = Documents.SelectionTest();
    ResultBitmap = std::make_unique<editor::TBitmap>(
        Run(EffectInput{*doc.Bitmap, selection, progress, editor::ProgramState().Colours,
                        doc.Selection.get(), LastPressed}));
    // An empty result: the command found nothing to do.
    if (ResultBitmap->Empty()) ResultBitmap.reset();
    // The computation ran to its end: an Abort pressed too late to stop it
    // does not throw the finished result away.
    Aborted = false;
  } catch (const ELumarteError&) {
    // An abort ends the computation quietly; any other refusal is reported.
    if (progress.AbortRequested()) {
      Aborted = true;
      return;
    }
    Busy = false;
    HasResult = false;
    throw;
  } catch (...) {
    Busy = false;
    HasResult = false;
    throw;
  }
}

void EffectSession::PreviewButtonClick() {
  ComputeEffect();
  if (PreviewShown) RestoreDocumentImage();
  Busy = false;
  HasResult = !Aborted && ResultBitmap;
  PreviewShown = true;
  if (HasResult) {
    Documents.ShowPreview(ResultBitmap.get());
    if (!SameSize(*ResultBitmap, *Documents.Current().Bitmap)) Documents.FitWindow();
  }
}

bool EffectSession::OKButtonClick() {
  // Refused like a second computation, even when OK would reuse the preview:
  // the running computation owns the result and the preview.
  if (Busy) throw ELumarteError("");
  if (Policy == RecomputePolicy::Always || !HasResult) ComputeEffect();
  Busy = false;
  if (PreviewShown) {
    RestoreDocumentImage();
    PreviewShown = false;
  }
  if (Aborted || !ResultBitmap) return false;
  HasResult = false;
  Documents.PushUndo();
  editor::TBM& doc = Documents.Current();
  const bool resized = !SameSize(*ResultBitmap, *doc.Bitmap);
  doc.Bitmap = std::move(ResultBitmap);
  doc.Modified = true;
  Documents.Refresh(0);
  if (resized) Documents.FitWindow();
  return true;
}

void EffectSession::CancelButtonClick() {
  if (Busy) return;
  if (!HasResult && !PreviewShown) return;
  RestoreDocumentImage();
  ResultBitmap.reset();
  HasResult = false;
  PreviewShown = false;
}

void EffectSession::FormClose() {
  if (HasResult) CancelButtonClick();
}

}  // namespace lumarte::effects
