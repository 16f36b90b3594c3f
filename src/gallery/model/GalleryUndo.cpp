#include "gallery/model/GalleryUndo.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "imaging/Errors.h"

namespace fs = std::filesystem;

namespace lumarte::gallery {

std::string DefaultBackupFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  std::string base;
  if (cache && *cache) {
    base = cache;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : "/tmp") + "/.cache";
  }
  return base + "/lumarte/gallery-undo";
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ELumarteError("Cannot open file \"" + path + "\".");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw ELumarteError("Cannot create file \"" + path + "\".");
}

std::string TUndoLog::Folder() const {
  return BackupFolder.empty() ? DefaultBackupFolder() : BackupFolder;
}

void TUndoLog::Write(const std::string& path, const std::string& bytes, bool backup) {
  // A file this run wrote already needs no backup: Undo deletes it.
  const bool ours = std::find(CreatedFiles.begin(), CreatedFiles.end(), path) != CreatedFiles.end();
  CreatedFiles.push_back(path);
  std::error_code ec;
  if (backup && !ours && fs::is_regular_file(path, ec)) {
    fs::create_directories(Folder(), ec);
    const std::string copy = Folder() + "/" + std::to_string(BackupFiles.size()) + ".tmp";
    fs::copy_file(path, copy, fs::copy_options::overwrite_existing, ec);
    if (ec) throw ELumarteError("Cannot create file \"" + copy + "\".");
    ReplacedFiles.push_back(path);
    BackupFiles.push_back(copy);
  }
  WriteWholeFile(path, bytes);
}

void TUndoLog::Undo() {
  if (Empty()) throw ELumarteError("Nothing there to undo!");
  std::error_code ec;
  for (const auto& f : CreatedFiles) fs::remove(f, ec);
  for (size_t k = 0; k < BackupFiles.size() && k < ReplacedFiles.size(); ++k) {
    fs::rename(BackupFiles[k], ReplacedFiles[k], ec);
    if (ec) {  // another file system: copy, then drop the backup
      ec.clear();
      fs::copy_file(BackupFiles[k], ReplacedFiles[k], fs::copy_options::overwrite_existing, ec);
      if (ec) throw ELumarteError("Cannot create file \"" + ReplacedFiles[k] + "\".");
    }
  }
  ForgetUndo();
}

void TUndoLog::ForgetUndo() {
  std::error_code ec;
  for (const auto& f : BackupFiles) fs::remove(f, ec);
  CreatedFiles.clear();
  ReplacedFiles.clear();
  BackupFiles.clear();
}

std::string TUndoLog::Save() const {
  std::string out;
  for (const auto& [tag, list] : {std::pair{"C ", &CreatedFiles}, {"R ", &ReplacedFiles}, {"B ", &BackupFiles}})
    for (const auto& f : *list) out += tag + f + "\n";
  return out;
}

void TUndoLog::Load(const std::string& text) {
  TUndoLog log;
  log.BackupFolder = BackupFolder;
  size_t b = 0;
  while (b < text.size()) {
    size_t e = text.find('\n', b);
    if (e == std::string::npos) e = text.size();
    const std::string line = text.substr(b, e - b);
    b = e + 1;
    if (line.size() < 3 || line[1] != ' ') throw ELumarteError("The undo record is damaged.");
    std::vector<std::string>* list = line[0] == 'C' ? &log.CreatedFiles
                                     : line[0] == 'R' ? &log.ReplacedFiles
                                     : line[0] == 'B' ? &log.BackupFiles
                                                      : nullptr;
    if (!list) throw ELumarteError("The undo record is damaged.");
    list->push_back(line.substr(2));
  }
  if (log.ReplacedFiles.size() != log.BackupFiles.size())
    throw ELumarteError("The undo record is damaged.");
  *this = std::move(log);
}

}  // namespace lumarte::gallery
