#pragma once
// What happens to a grabbed frame in the editor: a new document, shown,
// saved as JPEG, or saved and passed on to the thumbnail creator.
#include <functional>
#include <memory>
#include <string>

#include "editor/model/DocumentList.h"

namespace lumarte::video {

extern const char* const kTooManyOpenImages;

enum class TGrabAction { ToEditor = 0, SaveJpeg = 1, SaveAndSendToThumbnailCreator = 2 };

// The editor services the player uses.
struct TEditorLink {
  editor::DocumentList* Docs = nullptr;
  std::function<void()> ShowEditor;
  // The editor's "Save as" of the current document; false when cancelled.
  std::function<bool()> SaveAs;
  // The editor's "Send to Thumbnail Creator"; empty while the editor has none.
  std::function<void()> SendToThumbnailCreator;
};

// Raises "Too many open images." when the editor's last slot is in use.
void CheckFreeSlot(const editor::DocumentList& docs);

// "<folder>/<video name>-<frame>.jpg", the name the save dialog proposes.
std::string FrameFileName(const std::string& videoFile, int64_t frame);

// The picture becomes a new, unsaved document. A cancelled save keeps it
// open in the editor rather than closing it unsaved.
void HandOver(const TEditorLink& editor, std::unique_ptr<editor::TBitmap> picture,
              TGrabAction action, const std::string& saveName);

}  // namespace lumarte::video
