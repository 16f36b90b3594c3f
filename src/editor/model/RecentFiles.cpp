#include "editor/model/RecentFiles.h"

#include <algorithm>

namespace lumarte::editor {

const std::string& TRecentFiles::Entry(int k) const {
  static const std::string kNone;
  return k >= 1 && k <= kMaxEntries ? Entries[k - 1] : kNone;
}

void TRecentFiles::SetEntry(int k, const std::string& name) {
  if (k >= 1 && k <= kMaxEntries) Entries[k - 1] = name;
}

void TRecentFiles::Add(const std::string& name) {
  auto found = std::find(Entries.begin(), Entries.end(), name);
  if (found != Entries.end()) {
    std::move(found + 1, Entries.end(), found);
    Entries.back().clear();
  }
  std::move_backward(Entries.begin(), Entries.end() - 1, Entries.end());
  Entries[0] = name;
  for (int i = std::max(NoOfRecentFiles, 1); i < kMaxEntries; ++i) Entries[i].clear();
}

int ClampRecentFileCount(int stored) {
  return std::clamp(stored, 0, TRecentFiles::kMaxEntries);
}

std::string TRecentFiles::Caption(int k) const {
  return std::to_string(k) + " " + Entry(k);
}

}  // namespace lumarte::editor
