#pragma once
// The browser's questions answered by its dialogs, made on first use and
// kept with their last values.
#include "browser/model/BrowserPrompts.h"

class QWidget;

namespace lumarte::browser {

class TBrowserGotoForm;
class TOpenWebsiteForm;

class TQtBrowserPrompts : public TBrowserPrompts {
 public:
  explicit TQtBrowserPrompts(QWidget* window) : Window(window) {}
  std::optional<std::string> AskFolder(const std::string& current) override;
  std::optional<std::string> AskUrl() override;
  std::optional<int> AskGotoImage(int count, int value) override;

 private:
  QWidget* Window;
  TBrowserGotoForm* GotoForm = nullptr;
  TOpenWebsiteForm* WebsiteForm = nullptr;
};

}  // namespace lumarte::browser
