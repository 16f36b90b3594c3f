// The image browser, opened from the File menu or by "-BROWSER" at start.
#include "browser/ui/ImageBrowserForm.h"
#include "editor/ui/MainWindow.h"
#include "ui/ApplyLanguage.h"

namespace lumarte::editor {

void TForm1::LMBrowse1Click() {
  if (!BrowserForm) {
    browser::TBrowserEditorLink link;
    link.OpenImage = [this](const std::string& name) {
      Files.OpenFiles({name});
      return Docs.Current().InUse && Docs.Current().FileName == name;
    };
    link.ShowEditor = [this] {
      show();
      raise();
      activateWindow();
    };
    BrowserForm = new browser::TImageBrowserForm(std::move(link), BrowserPrompts, this);
    ui::ApplyLanguageToForm(BrowserForm);
  }
  BrowserForm->show();
  BrowserForm->raise();
  BrowserForm->activateWindow();
}

}  // namespace lumarte::editor
