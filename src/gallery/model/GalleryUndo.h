#pragma once
// What the last gallery run wrote, so that it can be taken back: every file
// written, the files it replaced and where their backups lie.
#include <string>
#include <vector>

namespace lumarte::gallery {

// $XDG_CACHE_HOME/lumarte/gallery-undo (or ~/.cache/...): the program folder
// is read-only once installed.
std::string DefaultBackupFolder();

// Whole file, or raises ELumarteError naming it.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

class TUndoLog {
 public:
  std::vector<std::string> CreatedFiles;
  std::vector<std::string> ReplacedFiles;
  std::vector<std::string> BackupFiles;
  std::string BackupFolder;  // empty: DefaultBackupFolder()

  bool Empty() const { return CreatedFiles.empty() && BackupFiles.empty(); }
  // Records path, backs up an existing file when backup is set, then writes.
  void Write(const std::string& path, const std::string& bytes, bool backup = true);
  // Deletes what was written and puts the replaced files back byte for byte;
  // raises "Nothing there to undo!" when nothing is recorded.
  void Undo();
  // Deletes the backups and empties the lists; the written files stay.
  void ForgetUndo();

  // The lists as text ("C ", "R " or "B " and a path on each line), so that a
  // later process can undo a run; Load raises on a damaged text.
  std::string Save() const;
  void Load(const std::string& text);

 private:
  std::string Folder() const;
};

}  // namespace lumarte::gallery
