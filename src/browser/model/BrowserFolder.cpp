#include "browser/model/BrowserFolder.h"

#include <algorithm>
#include <cctype>

#include "editor/model/ImageFormats.h"

namespace lumarte::browser {

std::string TrimFolder(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

bool FolderNameBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

std::vector<std::string> OrderSubFolders(const std::vector<std::string>& listed) {
  std::vector<std::string> rows;
  for (const auto& name : listed) {
    if (rows.empty()) {
      rows.push_back(name);
      continue;
    }
    // Rows 2... stay sorted, so "after the last one sorting before" is the
    // first one that does not.
    auto at = std::lower_bound(rows.begin() + 1, rows.end(), name, FolderNameBefore);
    rows.insert(at, name);
  }
  return rows;
}

TFolderContents ScanFolder(const std::string& folder) {
  TFolderContents contents;
  contents.Folder = TrimFolder(folder);
  std::vector<std::string> folders;
  // The listing leaves "." and ".." out; the parent comes first, as on the
  // systems where the listing starts with it.
  if (contents.Folder != "/") folders.push_back("..");
  for (auto& entry : imaging::FindFiles(imaging::AddBackslash(contents.Folder) + "*",
                                        imaging::faDirectory | imaging::faHidden)) {
    if (entry.Attributes & imaging::faDirectory)
      folders.push_back(entry.Name);
    else if (editor::IsBrowsableFileName(entry.Name))
      contents.Files.push_back(std::move(entry));
  }
  contents.SubFolders = OrderSubFolders(folders);
  return contents;
}

std::string FolderForCell(const std::string& folder, const std::string& cell) {
  std::string trimmed = TrimFolder(folder);
  if (cell == "..") {
    auto slash = trimmed.rfind('/');
    if (slash == std::string::npos) return trimmed;
    return slash == 0 ? "/" : trimmed.substr(0, slash);
  }
  return imaging::AddBackslash(trimmed) + cell;
}

void SortImages(std::vector<imaging::TFileRecord>& files, TBrowserSort sort) {
  unsigned flags = 0;
  switch (sort) {
    case TBrowserSort::NameUp:
      break;
    case TBrowserSort::NameDown:
      flags = imaging::sfReverse;
      break;
    case TBrowserSort::DateUp:
      flags = imaging::sfTime;
      break;
    case TBrowserSort::DateDown:
      flags = imaging::sfTime | imaging::sfReverse;
      break;
    case TBrowserSort::SizeUp:
      flags = imaging::sfSize;
      break;
    case TBrowserSort::SizeDown:
      flags = imaging::sfSize | imaging::sfReverse;
      break;
  }
  imaging::SortFiles(files, files.size(), flags);
}

void ReverseImages(std::vector<imaging::TFileRecord>& files) {
  std::reverse(files.begin(), files.end());
}

}  // namespace lumarte::browser
