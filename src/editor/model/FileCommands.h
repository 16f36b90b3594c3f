#pragma once
// The File menu's document commands without a window: open (dialog, drop,
// command line, recent files), save, save as, new and image information.
#include <string>
#include <vector>

#include "editor/model/DocumentList.h"
#include "editor/model/EditorPrompts.h"
#include "editor/model/ImageFiles.h"
#include "editor/model/RecentFiles.h"

namespace lumarte::editor {

extern const char* const kNotAllOpened;

class TFileCommands {
 public:
  TFileCommands(DocumentList& docs, DocumentHost& host, TEditorPrompts& prompts)
      : Docs(docs), Host(host), Prompts(prompts) {}

  TRecentFiles Recent;

  void LMOpen1Click();
  // The open dialog's work for chosen (or dropped) files, in order.
  void OpenFiles(const std::vector<std::string>& names);
  // Image files named on the command line: the first ten that are valid.
  void OpenStartupFiles(const std::vector<std::string>& names);
  // Recent-file item k (1..8).
  void N110Click(int k);
  // Both return false when the user cancelled and nothing was written.
  bool LMSave1Click();
  bool LMSaveas1Click();
  void LMNew1Click();
  void LMImageInformation1Click();
  std::vector<std::string> ImageInformation() const;

 private:
  void OpenOne(const std::string& name, TLoadedImage image);
  std::string CheckedSaveName(std::string name);
  DocumentList& Docs;
  DocumentHost& Host;
  TEditorPrompts& Prompts;
};

}  // namespace lumarte::editor
