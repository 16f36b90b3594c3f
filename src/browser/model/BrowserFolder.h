#pragma once
// One folder as the browser shows it: its sub-folders for the folder list
// and its image files in display order.
#include <string>
#include <vector>

#include "imaging/FileUtils.h"

namespace lumarte::browser {

struct TFolderContents {
  std::string Folder;                   // without a trailing "/" (the root stays "/")
  std::vector<std::string> SubFolders;  // the folder list's rows 1, 2, ...
  std::vector<imaging::TFileRecord> Files;
};

// Trailing "/" removed; the root folder stays "/".
std::string TrimFolder(std::string folder);

// Folder names compare lower-cased, byte by byte; a prefix sorts first.
bool FolderNameBefore(const std::string& a, const std::string& b);

// The folder list's rows for folders in the order the scan met them: the
// first one (the parent, "..") keeps row 1, every later one is inserted
// after the last of the following rows whose name sorts before it.
std::vector<std::string> OrderSubFolders(const std::vector<std::string>& listed);

// Every entry of the folder, hidden ones too: sub-folders ("..", then the
// rest) and the files the browser shows (BMP, JPEG, JPEG 2000, PNG, GIF and
// the metafiles; no icons). A folder that cannot be read gives no entries.
TFolderContents ScanFolder(const std::string& folder);

// The folder a double-click on a folder-list cell leads to: ".." is the
// parent, any other name the sub-folder of that name.
std::string FolderForCell(const std::string& folder, const std::string& cell);

enum class TBrowserSort { NameUp, NameDown, DateUp, DateDown, SizeUp, SizeDown };

// Names compare upper-cased, dates by modification time.
void SortImages(std::vector<imaging::TFileRecord>& files, TBrowserSort sort);
// "reverse order": the first and the last swap places, and so on inwards.
void ReverseImages(std::vector<imaging::TFileRecord>& files);

}  // namespace lumarte::browser
