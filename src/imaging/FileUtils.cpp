#include "imaging/FileUtils.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>

namespace lumarte::imaging {

namespace {

std::string ComputeProgramDirectory() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  std::string path(buf, static_cast<size_t>(n));
  auto slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

}  // namespace

const std::string& ProgramDirectory() {
  static const std::string dir = ComputeProgramDirectory();
  return dir;
}

std::string AddBackslash(const std::string& path) {
  if (path.empty() || path.back() == '/') return path;
  return path + "/";
}

std::string ExtractExt(const std::string& fileName) {
  auto slash = fileName.rfind('/');
  auto dot = fileName.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return fileName.substr(dot + 1);
}

std::string UpperCase(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::vector<TFileRecord> FindFiles(const std::string& mask, unsigned attributes) {
  auto slash = mask.rfind('/');
  std::string dir = slash == std::string::npos ? "." : mask.substr(0, slash + 1);
  std::string pattern = slash == std::string::npos ? mask : mask.substr(slash + 1);
  std::vector<TFileRecord> out;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return out;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
    struct stat st;
    if (::stat((AddBackslash(dir) + name).c_str(), &st) != 0) continue;
    TFileRecord r;
    r.Name = name;
    r.Size = st.st_size;
    r.Time = st.st_mtime;
    if (S_ISDIR(st.st_mode)) r.Attributes |= faDirectory;
    if (name[0] == '.') r.Attributes |= faHidden;
    if (::access((AddBackslash(dir) + name).c_str(), W_OK) != 0) r.Attributes |= faReadOnly;
    if ((r.Attributes & faDirectory) && !(attributes & faDirectory)) continue;
    if ((r.Attributes & faHidden) && !(attributes & faHidden)) continue;
    if (out.capacity() == out.size()) out.reserve(out.size() + 100);
    out.push_back(std::move(r));
  }
  ::closedir(d);
  return out;
}

std::vector<std::string> ListFileNames(const std::string& mask, unsigned attributes) {
  std::vector<std::string> names;
  for (auto& r : FindFiles(mask, attributes)) names.push_back(r.Name);
  return names;
}

void SortFiles(std::vector<TFileRecord>& files, size_t count, unsigned flags) {
  count = std::min(count, files.size());
  auto less = [flags](const TFileRecord& a, const TFileRecord& b) {
    if (flags & sfTime) return a.Time < b.Time;
    if (flags & sfSize) return a.Size < b.Size;
    return UpperCase(a.Name) < UpperCase(b.Name);
  };
  auto end = files.begin() + static_cast<long>(count);
  if (flags & sfReverse)
    std::sort(files.begin(), end, [&](const auto& a, const auto& b) { return less(b, a); });
  else
    std::sort(files.begin(), end, less);
}

}  // namespace lumarte::imaging

#include <cerrno>
#include <cstdio>

#include "imaging/Errors.h"
#include "imaging/Streams.h"

namespace lumarte::imaging {

void SaveReplacing(const std::string& target,
                   const std::function<void(const std::string&)>& write) {
  auto slash = target.rfind('/');
  std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temp = dir + ".~" + base + "." + std::to_string(::getpid()) + ".tmp";
  try {
    write(temp);
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) ::chmod(temp.c_str(), st.st_mode & 07777);
    if (std::rename(temp.c_str(), target.c_str()) != 0)
      throw EInOutError("Error opening \"" + target + "\" - " + SystemErrorText(errno));
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
}

}  // namespace lumarte::imaging
