#pragma once
// What the application's error handler shows while this lives, collected
// instead of message boxes.
#include <functional>
#include <string>
#include <vector>

#include "ui/ErrorHandler.h"

namespace lumarte::fixtures {

class ShownMessages {
 public:
  ShownMessages() : Saved(ui::ApplicationErrorHandler().ShowMessage) {
    ui::ApplicationErrorHandler().ShowMessage = [this](const std::string& t) { Texts.push_back(t); };
  }
  ~ShownMessages() { ui::ApplicationErrorHandler().ShowMessage = Saved; }
  ShownMessages(const ShownMessages&) = delete;
  ShownMessages& operator=(const ShownMessages&) = delete;

  std::vector<std::string> Texts;

 private:
  std::function<void(const std::string&)> Saved;
};

}  // namespace lumarte::fixtures
