#include "capture/model/CaptureDocument.h"

namespace lumarte::capture {

bool CapturesIntoNewDocument(const editor::DocumentList& documents, bool asNew) {
  return asNew || !documents.Current().InUse;
}

void AddCapturedDocument(editor::DocumentList& documents, editor::TBitmap picture) {
  // A fresh document has nothing to undo to: no undo level is made.
  editor::TBM& d =
      documents.AddDocument(std::make_unique<editor::TBitmap>(std::move(picture)), "");
  d.JpegQuality = 50;
  d.Modified = true;
  documents.Refresh(0);
  documents.FitWindow();
}

}  // namespace lumarte::capture
