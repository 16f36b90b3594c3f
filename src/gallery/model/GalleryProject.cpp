#include "gallery/model/GalleryProject.h"

#include <algorithm>

#include "editor/model/ImageFiles.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"

namespace lumarte::gallery {

namespace {

void ReplaceAll(std::string& s, const std::string& what, const std::string& with) {
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + with.size()))
    s.replace(p, what.size(), with);
}

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

}  // namespace

std::vector<std::string> DefaultImagePageSkeleton() {
  return {"<HTML>", "<HEAD>", "</HEAD>", "<BODY>", "", "<!- IMAGE ->", "", "</BODY>", "</HTML>"};
}

std::string FilePart(const std::string& path) {
  const size_t p = path.find_last_of("/\\");
  return p == std::string::npos ? path : path.substr(p + 1);
}

std::string WebName(const std::string& name) {
  std::string web = name;
  const std::string upper = imaging::UpperCase(web);
  if (upper.ends_with(".BMP") || upper.ends_with(".PNG")) web.replace(web.size() - 4, 4, ".jpg");
  ReplaceAll(web, " ", "_");
  ReplaceAll(web, "%20", "_");
  ReplaceAll(web, "%", "_");
  return web;
}

std::string ShownName(const std::string& name) {
  const std::string upper = imaging::UpperCase(name);
  if (upper.ends_with(".JPG") || upper.ends_with(".JPEG")) return name;
  return name + ".jpg";
}

std::string CompleteHtmlFileName(const std::string& text) {
  const std::string t = Trim(text);
  auto isHtml = [](const std::string& s) {
    return imaging::UpperCase(s).find(".HTM") != std::string::npos;
  };
  if (t.empty() || isHtml(t)) return t;
  const std::string ext = ".html";
  for (size_t n = 1; n <= ext.size(); ++n) {
    const std::string tried = t + ext.substr(ext.size() - n);
    if (isHtml(tried)) return tried;
  }
  return t;
}

std::string HtmlFileInFolder(const std::string& htmlDir, const std::string& chosen) {
  const std::string upper = imaging::UpperCase(chosen);
  const size_t at = upper.find(imaging::UpperCase(htmlDir));
  if (htmlDir.empty() || at == std::string::npos)
    throw ELumarteError("File must be in the HTML directory.");
  std::string rel = chosen.substr(at + htmlDir.size());
  while (!rel.empty() && (rel[0] == '/' || rel[0] == '\\')) rel.erase(0, 1);
  return CompleteHtmlFileName(rel.substr(0, imaging::UpperCase(rel).find(".HTM")));
}

std::string NormalizeImageDir(const std::string& text) {
  std::string dir = Trim(text);
  while (!dir.empty() && (dir[0] == '/' || dir[0] == '\\')) dir = Trim(dir.substr(1));
  return dir;
}

void ClearTemplate(TGallerySettings& s) {
  s.TemplateName.clear();
  s.UseTargetFrame = false;
  s.TargetFrame.clear();
}

bool GalleryProject::AddImage(const std::string& fileName, const std::string& name,
                              editor::TEditorPrompts* report) {
  // The system would cut a name at a NUL and open another file.
  if (fileName.find('\0') != std::string::npos) return false;
  if (!editor::IsValidImage(fileName, report)) return false;
  GalleryEntry e;
  e.FileName = fileName;
  // A name never carries a folder: published files stay in the image folder.
  e.Name = e.Link = WebName(FilePart(name));
  Entries.push_back(std::move(e));
  return true;
}

void GalleryProject::MoveUp(size_t index) {
  if (index > 0 && index < Entries.size()) std::swap(Entries[index], Entries[index - 1]);
}

void GalleryProject::MoveDown(size_t index) {
  if (index + 1 < Entries.size()) std::swap(Entries[index], Entries[index + 1]);
}

void GalleryProject::Remove(size_t index) {
  if (index < Entries.size()) Entries.erase(Entries.begin() + static_cast<ptrdiff_t>(index));
}

}  // namespace lumarte::gallery
