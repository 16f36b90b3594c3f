#include "editor/model/Internationalization.h"

#include "editor/model/SettingsStore.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"

namespace lumarte::editor {

namespace {

// A language file is a few hundred lines; a bigger file is not one.
constexpr size_t kMaxLanguageFileSize = 4 << 20;

std::string Trim(const std::string& s) {
  auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

}  // namespace

TLanguageTable ParseLanguageFile(const std::vector<std::string>& lines) {
  TLanguageTable table;
  for (const auto& line : lines) {
    auto dot = line.find('.');
    auto assign = line.find(":=");
    std::string name = line.substr(0, dot);
    std::string property;
    if (dot != std::string::npos && assign != std::string::npos && assign > dot)
      property = line.substr(dot + 1, assign - dot - 1);
    std::string value;
    if (assign != std::string::npos) value = line.substr(assign + 2, kMaxLanguageValue);
    table.Names.push_back(std::move(name));
    table.Properties.push_back(std::move(property));
    table.Values.push_back(std::move(value));
  }
  return table;
}

int FindLanguageEntry(const TLanguageTable& table, const std::string& componentName) {
  std::string name = imaging::UpperCase(Trim(componentName));
  if (name.empty()) return -1;
  for (size_t i = 0; i < table.Names.size(); ++i)
    if (imaging::UpperCase(table.Names[i]) == name) return static_cast<int>(i);
  return -1;
}

std::vector<std::string> ReadLanguageFile(const std::string& fileName) {
  try {
    auto text = ReadStoreFile(fileName);
    if (!text || text->size() > kMaxLanguageFileSize) return {};
    return SplitLines(*text);
  } catch (const ELumarteBase&) {
    return {};
  }
}

}  // namespace lumarte::editor
