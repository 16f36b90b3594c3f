// The video player, opened from the File menu or by "-VIDEO" at start.
#include <utility>

#include "ui/ApplyLanguage.h"
#include "editor/ui/MainWindow.h"
#include "video/ui/VideoExtractForm.h"

namespace lumarte::editor {

void TForm1::LMVideo1Click() {
  if (!VideoForm) {
    video::TEditorLink link;
    link.Docs = &Docs;
    link.ShowEditor = [this] {
      show();
      raise();
      activateWindow();
    };
    link.SaveAs = [this] { return Files.LMSaveas1Click(); };
    link.SendToThumbnailCreator = [this] { LMSendtoThumbnailCreator1Click(); };
    VideoForm = new video::TVideoExtractForm(Prompts, std::move(link), this);
    VideoForm->OpenHelp = [this](const std::string& file) { OpenDocument(file); };
    VideoForm->EndProgram = [this] { close(); };
    VideoForm->StartedAlone = StartTool == TStartTool::Video;
    ui::ApplyLanguageToForm(VideoForm);
  }
  VideoForm->show();
  VideoForm->raise();
  VideoForm->activateWindow();
  if (!StartVideoFile.empty()) VideoForm->OpenVideo(std::exchange(StartVideoFile, {}));
}

}  // namespace lumarte::editor
