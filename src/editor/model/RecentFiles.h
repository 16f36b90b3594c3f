#pragma once
// The recent-file list of the File menu: up to eight names, newest first,
// of which the first NoOfRecentFiles are shown.
#include <array>
#include <string>

namespace lumarte::editor {

class TRecentFiles {
 public:
  static constexpr int kMaxEntries = 8;

  int NoOfRecentFiles = 2;
  // Entry k (1..8); empty when unused or out of range.
  const std::string& Entry(int k) const;
  void SetEntry(int k, const std::string& name);
  // Moves the name to the front; entries beyond NoOfRecentFiles are emptied.
  void Add(const std::string& name);
  // The caption of menu item k: "k" + " " + entry k.
  std::string Caption(int k) const;

 private:
  std::array<std::string, kMaxEntries> Entries;
};

// NoOfRecentFiles as read from the settings: limited to 0..8.
int ClampRecentFileCount(int stored);

}  // namespace lumarte::editor
