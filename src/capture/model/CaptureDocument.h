#pragma once
// Where a captured picture goes when it does not replace the current image.
#include "editor/model/DocumentList.h"

namespace lumarte::capture {

// True when the picture must go into a new document: "As New Image" is
// checked, or no image is open (the placeholder would swallow it).
bool CapturesIntoNewDocument(const editor::DocumentList& documents, bool asNew);
// The picture as a new, unsaved document in slot 0; raises the "too many
// open images" error when all ten slots are in use.
void AddCapturedDocument(editor::DocumentList& documents, editor::TBitmap picture);

}  // namespace lumarte::capture
