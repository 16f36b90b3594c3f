#pragma once
// What the image browser asks its user. The window answers with its
// dialogs; tests answer directly.
#include <optional>
#include <string>

namespace lumarte::browser {

class TBrowserPrompts {
 public:
  virtual ~TBrowserPrompts() = default;
  // "Change directory": the chosen folder, or nothing when cancelled.
  virtual std::optional<std::string> AskFolder(const std::string& current) = 0;
  // "Open URL": the text typed after "http://", or nothing when cancelled.
  virtual std::optional<std::string> AskUrl() = 0;
  // "Go To": the image number (0..count) chosen, starting at value.
  virtual std::optional<int> AskGotoImage(int count, int value) = 0;
};

}  // namespace lumarte::browser
