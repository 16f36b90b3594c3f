#include "browser/ui/QtBrowserPrompts.h"

#include <QFileDialog>

#include "browser/ui/BrowserGotoForm.h"
#include "browser/ui/OpenWebsiteForm.h"
#include "ui/ApplyLanguage.h"

namespace lumarte::browser {

std::optional<std::string> TQtBrowserPrompts::AskFolder(const std::string& current) {
  QString folder = QFileDialog::getExistingDirectory(Window, "Change directory",
                                                     QString::fromStdString(current));
  if (folder.isEmpty()) return std::nullopt;
  return QFile::encodeName(folder).toStdString();
}

std::optional<std::string> TQtBrowserPrompts::AskUrl() {
  if (!WebsiteForm) {
    WebsiteForm = new TOpenWebsiteForm(Window);
    ui::ApplyLanguageToForm(WebsiteForm);
  }
  return WebsiteForm->Ask();
}

std::optional<int> TQtBrowserPrompts::AskGotoImage(int count, int value) {
  if (!GotoForm) {
    GotoForm = new TBrowserGotoForm(Window);
    ui::ApplyLanguageToForm(GotoForm);
  }
  return GotoForm->Ask(count, value);
}

}  // namespace lumarte::browser
