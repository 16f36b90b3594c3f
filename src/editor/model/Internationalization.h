#pragma once
// Language files: lines "Component.Property:=Value" that replace captions and
// hints of named controls at run time.
#include <string>
#include <vector>

namespace lumarte::editor {

inline constexpr const char* kLanguageFileName = "lang.txt";
inline constexpr size_t kMaxLanguageValue = 999;

// Three parallel lists in file order.
struct TLanguageTable {
  std::vector<std::string> Names;
  std::vector<std::string> Properties;
  std::vector<std::string> Values;

  bool Empty() const { return Names.empty(); }
};

// Name: text before the first "."; property: between that "." and the first
// ":=" after it; value: everything after the first ":=", at most 999
// characters, unchanged.
TLanguageTable ParseLanguageFile(const std::vector<std::string>& lines);

// The line that applies to a component: the first whose name equals the
// trimmed component name without regard to case, or -1. Unnamed components
// match nothing.
int FindLanguageEntry(const TLanguageTable& table, const std::string& componentName);

// The lines of a language file, or none when it is missing or unreadable.
std::vector<std::string> ReadLanguageFile(const std::string& fileName);

}  // namespace lumarte::editor
