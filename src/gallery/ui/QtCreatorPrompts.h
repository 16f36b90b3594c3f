#pragma once
// The creator's questions answered by Qt's dialogs; the per-image JPEG
// options and notes go to the editor's own dialogs.
#include <QString>

#include "editor/model/EditorPrompts.h"
#include "gallery/ui/CreatorPrompts.h"

class QWidget;

namespace lumarte::gallery {

class TQtCreatorPrompts : public TCreatorPrompts {
 public:
  TQtCreatorPrompts(QWidget* window, editor::TEditorPrompts& editor)
      : Window(window), Editor(editor) {}
  // The creator, once it exists: its dialogs open over it.
  void SetWindow(QWidget* window) { Window = window; }

  bool AskRemovePrevious() override;
  std::optional<editor::TJpegSaveChoice> AskJpegOptions(const editor::TBitmap& image) override;
  void Note(const std::string& text) override { Editor.ShowMessage(text); }
  std::string AskFolder(const std::string& start) override;
  std::string AskOpenFile(const std::string& filter) override;
  std::string AskSaveFile(const std::string& filter, const std::string& defaultExt,
                          const std::string& folder) override;

 private:
  QWidget* Window;
  editor::TEditorPrompts& Editor;
  QString LastFolder;
};

}  // namespace lumarte::gallery
