#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace lumarte::imaging {

// Attribute bits of found files.
enum : unsigned { faReadOnly = 1, faHidden = 2, faDirectory = 16, faArchive = 32 };

struct TFileRecord {
  int64_t Time = 0;  // modification time, seconds since the epoch
  int64_t Size = 0;
  unsigned Attributes = 0;
  std::string Name;  // without folder
};

// Sort flags of SortFiles.
enum : unsigned { sfTime = 1, sfSize = 2, sfReverse = 8 };

// The program's folder with a trailing "/".
const std::string& ProgramDirectory();
std::string AddBackslash(const std::string& path);
// The extension without its dot ("a.b.Png" gives "Png", none gives "").
std::string ExtractExt(const std::string& fileName);
// Mask is "folder/pattern" with * and ? (case-insensitive). Plain files are
// always listed; folders only with faDirectory, dot-files only with faHidden.
std::vector<std::string> ListFileNames(const std::string& mask, unsigned attributes);
std::vector<TFileRecord> FindFiles(const std::string& mask, unsigned attributes);
void SortFiles(std::vector<TFileRecord>& files, size_t count, unsigned flags);
std::string UpperCase(std::string s);

}  // namespace lumarte::imaging

#include <functional>

namespace lumarte::imaging {

// Writes a file so that a failure never destroys the file it replaces: write
// receives a temporary name in the target's folder, which is renamed over the
// target only when write returns normally.
void SaveReplacing(const std::string& target, const std::function<void(const std::string&)>& write);

}  // namespace lumarte::imaging
