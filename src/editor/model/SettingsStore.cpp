#include "editor/model/SettingsStore.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "editor/model/Qv_Database.h"
#include "imaging/FileUtils.h"
#include "imaging/Streams.h"

namespace lumarte::editor {

namespace {

// Settings are a few kilobytes; anything far larger is not ours.
constexpr int64_t kMaxStoreSize = 16 << 20;

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ".";
}

}  // namespace

std::string ConfigHome() {
  // Relative values are invalid by the XDG rules and are ignored.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
    std::string dir = xdg;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
  }
  return HomeFolder() + "/.config";
}

std::string StoreFileName(const std::string& keyPath) {
  std::string path = ConfigHome();
  std::string part;
  bool first = true;
  auto flush = [&] {
    // The registry-style root "Software" has no folder of its own; "." and
    // ".." would lead out of the configuration folder.
    bool root = first && part == "Software";
    if (!part.empty() && !root && part != "." && part != "..") path += "/" + part;
    if (!part.empty()) first = false;
    part.clear();
  };
  for (char c : keyPath) {
    if (c == '\\' || c == '/')
      flush();
    else
      part += c;
  }
  flush();
  return path + "/Options";
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

std::string JoinLinesCRLF(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

std::optional<std::string> ReadStoreFile(const std::string& fileName) {
  struct stat st;
  if (::stat(fileName.c_str(), &st) != 0) return std::nullopt;
  imaging::TFileStream file(fileName, imaging::fmRead);
  int64_t size = file.Size();
  if (size > kMaxStoreSize) throw EDBException("Settings text too large");
  std::string text(static_cast<size_t>(size), '\0');
  file.ReadExact(text.data(), text.size());
  return text;
}

void WriteStoreFile(const std::string& fileName, const std::string& text) {
  auto folder = std::filesystem::path(fileName).parent_path();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw EInOutError("Error creating \"" + folder.string() + "\" - " + ec.message());
  imaging::SaveReplacing(fileName, [&](const std::string& temp) {
    imaging::TFileStream file(temp, imaging::fmCreate | imaging::fmWrite);
    file.WriteExact(text.data(), text.size());
    file.Flush();
  });
}

void Qv_Database::SaveToStore(const std::string& keyPath) const {
  WriteStoreFile(StoreFileName(keyPath), JoinLinesCRLF(SaveToStrings()));
}

bool Qv_Database::LoadFromStore(const std::string& keyPath) {
  auto text = ReadStoreFile(StoreFileName(keyPath));
  if (!text || text->empty()) return false;
  LoadFromStrings(SplitLines(*text));
  return true;
}

}  // namespace lumarte::editor
