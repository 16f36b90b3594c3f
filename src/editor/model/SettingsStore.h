#pragma once
// Where per-user settings live: a key path such as "Software\Tarvex\Lumarte"
// maps to the folder $XDG_CONFIG_HOME/Tarvex/Lumarte (default ~/.config/...),
// and a table saved under it is the file "Options" there.
#include <optional>
#include <string>
#include <vector>

namespace lumarte::editor {

// The user's configuration folder without a trailing "/".
std::string ConfigHome();
// The file that holds the table stored under keyPath.
std::string StoreFileName(const std::string& keyPath);

// Lines of a stored text; CR LF, LF and lone CR all end a line.
std::vector<std::string> SplitLines(const std::string& text);
std::string JoinLinesCRLF(const std::vector<std::string>& lines);

// The stored text, or nothing when the file is missing.
std::optional<std::string> ReadStoreFile(const std::string& fileName);
// Writes the text so that a crash leaves either the old or the new file,
// creating the folders on the way.
void WriteStoreFile(const std::string& fileName, const std::string& text);

}  // namespace lumarte::editor
