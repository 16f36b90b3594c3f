#pragma once
// A window stand-in for tests that never close, save or open documents.
#include "editor/model/DocumentList.h"

class QuietHost : public lumarte::editor::DocumentHost {
 public:
  lumarte::editor::TSaveChangedAnswer AskSaveChanged() override {
    return lumarte::editor::TSaveChangedAnswer::DontSave;
  }
  void SaveCurrent() override {}
  void SaveCurrentAs() override {}
  void OpenIntoFreeSlot() override {}
  void AddRecentFile(const std::string&) override {}
};
