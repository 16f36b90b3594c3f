#include "video/model/FrameHandover.h"

#include <filesystem>

#include "imaging/Errors.h"

namespace lumarte::video {

const char* const kTooManyOpenImages = "Too many open images.";

void CheckFreeSlot(const editor::DocumentList& docs) {
  if (docs.IsFull()) throw ELumarteError(kTooManyOpenImages);
}

std::string FrameFileName(const std::string& videoFile, int64_t frame) {
  std::filesystem::path p(videoFile);
  std::string name = p.stem().string() + "-" + std::to_string(frame) + ".jpg";
  return (p.parent_path() / name).string();
}

void HandOver(const TEditorLink& editor, std::unique_ptr<editor::TBitmap> picture,
              TGrabAction action, const std::string& saveName) {
  CheckFreeSlot(*editor.Docs);
  editor::TBM& d = editor.Docs->AddDocument(std::move(picture), "");
  d.Modified = true;
  if (action == TGrabAction::ToEditor) {
    editor.ShowEditor();
    return;
  }
  d.FileName = saveName;
  if (!editor.SaveAs()) {
    editor.Docs->Current().FileName.clear();
    editor.ShowEditor();
    return;
  }
  if (action == TGrabAction::SaveAndSendToThumbnailCreator) editor.SendToThumbnailCreator();
  editor.Docs->LMClose1Click();
}

}  // namespace lumarte::video
