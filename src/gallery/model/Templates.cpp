#include "gallery/model/Templates.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "gallery/model/GalleryUndo.h"

#include "imaging/Errors.h"
#include "imaging/FileUtils.h"

namespace lumarte::gallery {

namespace {

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool Starts(const std::string& line, const char* key) { return line.rfind(key, 0) == 0; }

// The text after the first "=", at most 99 characters, trimmed.
std::string Value(const std::string& line) {
  const size_t eq = line.find('=');
  return eq == std::string::npos ? "" : Trim(line.substr(eq + 1, 99));
}

std::string Upper(const std::string& s) { return imaging::UpperCase(s); }

int IntegerValue(const std::string& key, const std::string& v) {
  const bool sign = !v.empty() && (v[0] == '-' || v[0] == '+');
  const std::string digits = v.substr(sign ? 1 : 0);
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
    throw EConvertError("'" + v + "' is not a valid integer value (template key " + key + ")");
  return std::stoi(v);
}

void ApplyKey(const std::string& line, TGallerySettings& s) {
  const std::string v = Value(line), uv = Upper(v);
  auto intKey = [&](const char* key, int& target) {
    if (Starts(line, key) && !v.empty()) target = IntegerValue(std::string(key, std::strlen(key) - 1), v);
  };
  if (Starts(line, "STYLE=")) s.Style = uv == "LIST" ? TGalleryStyle::List : TGalleryStyle::Table;
  if (Starts(line, "TABLECSS=")) s.Table.CSSClass = s.List.CSSClass = v;
  intKey("TABLEBORDER=", s.Table.Border);
  intKey("TABLEROWS=", s.Rows);
  intKey("TABLECOLS=", s.Cols);
  intKey("LISTROWS=", s.ListRows);
  if (Starts(line, "TABLEWIDTH=") && !v.empty()) s.Table.Width = v;
  if (Starts(line, "TABLETDALIGN=")) {
    if (uv == "LEFT") s.Table.TDAlign = THAlign::Left;
    if (uv == "RIGHT") s.Table.TDAlign = THAlign::Right;
    if (uv == "CENTER") s.Table.TDAlign = THAlign::Center;
  }
  if (Starts(line, "TABLETDVALIGN=")) {
    if (uv == "TOP") s.Table.TDVAlign = TVAlign::Top;
    if (uv == "BOTTOM") s.Table.TDVAlign = TVAlign::Bottom;
    if (uv == "MIDDLE") s.Table.TDVAlign = TVAlign::Middle;
    if (uv == "ORDERED") s.List.Ordered = true;
    if (uv == "UNORDERED") s.List.Ordered = false;
  }
  if (Starts(line, "USETARGET=")) {
    if (uv == "TRUE") s.UseTargetFrame = true;
    if (uv == "FALSE") s.UseTargetFrame = false;
  }
  if (Starts(line, "TARGETFRAME=") && !v.empty()) s.TargetFrame = v;
  if (Starts(line, "USEIMAGEASHTML=")) {
    if (uv == "TRUE") s.LinkIsHTML = true;
    if (uv == "FALSE") s.LinkIsHTML = false;
  }
  if (Starts(line, "IMAGEASHTMLTEMPLATE=") && IsContainedPath(v)) {
    const std::string path = TemplateFolder(s) + v;
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec))
      s.ImagePageSkeleton = SplitLines(ReadWholeFile(path));
  }
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t b = 0;
  while (b < text.size()) {
    size_t e = text.find_first_of("\r\n", b);
    if (e == std::string::npos) e = text.size();
    lines.push_back(text.substr(b, e - b));
    if (e + 1 < text.size() && text[e] == '\r' && text[e + 1] == '\n') ++e;
    b = e + 1;
  }
  return lines;
}

std::string TemplateFolder(const TGallerySettings& s) {
  const std::string base = s.ProgramFolder.empty() ? imaging::ProgramDirectory() : s.ProgramFolder;
  return base + (base.empty() || base.back() == '/' ? "" : "/") + "Templates/";
}

std::vector<std::string> TemplateNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const char* ext : {".html", ".tpl"}) {
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
      if (!it->is_regular_file(ec) || it->path().extension() != ext) continue;
      const std::string stem = it->path().stem().string();
      if (std::find(names.begin(), names.end(), stem) == names.end()) names.push_back(stem);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

TTemplateParameters ReadTemplateParameters(const std::vector<std::string>& lines) {
  TTemplateParameters t;
  for (const auto& l : lines)
    if (Starts(l, "DESCRIPTION=")) t.Description = l.substr(12, 99);
  int k = 1;
  for (const auto& l : lines) {
    if (Starts(l, "ASKDEFAULT=") && k >= 2 && k <= 9) {
      t.Defaults[k - 2] = Trim(l.substr(11, 199));
      t.HasDefault[k - 2] = true;
    } else if ((Starts(l, "ASKSTRING=") || Starts(l, "ASKCOLOR=")) && k <= 8) {
      const bool colour = Starts(l, "ASKCOLOR=");
      t.Names[k - 1] = Trim(l.substr(colour ? 9 : 10, 99));
      t.IsColour[k - 1] = colour;
      ++k;
    }
  }
  t.Count = k - 1;
  return t;
}

void ApplyTemplateSettings(const std::vector<std::string>& lines, TGallerySettings& s) {
  for (const auto& l : lines) ApplyKey(l, s);
}

TPlaceholderValues PlaceholderValuesFor(const GalleryProject& p, const std::string& galleryFile) {
  const TGallerySettings& s = p.Settings;
  TPlaceholderValues v;
  v.GalleryFileName = galleryFile;
  if (!p.Entries.empty()) v.FirstImageLink = s.ImageDir + "/" + p.Entries.front().Link;
  const bool collage = s.Style == TGalleryStyle::Collage;
  v.ThumbWidth = std::to_string(collage ? s.Width * s.Cols + 30 : s.Width * 4 / 3 + 20);
  v.ThumbHeight = std::to_string(collage ? s.Height * s.Rows + 40 : s.Height * 4 / 3 + 40);
  for (int k = 0; k < 8; ++k) {
    v.ParameterNames[k] = s.ParameterNames[k];
    v.ParameterValues[k] = s.ParameterValues[k];
  }
  return v;
}

std::string SubstitutePlaceholders(const std::string& text, const TPlaceholderValues& v) {
  std::string out = text;
  // A value may hold a later placeholder, so each stage can multiply the
  // text; a page that would outgrow any real page stops with a message.
  constexpr size_t kMaxPage = size_t{64} << 20;
  // Each stage builds the page anew in one pass: replacing in place moves
  // the rest of the page once per occurrence, which is quadratic.
  auto replace = [&out](const std::string& what, const std::string& with) {
    std::string next;
    size_t from = 0;
    for (size_t p = out.find(what); p != std::string::npos; p = out.find(what, from)) {
      // The page as it stands after this occurrence: done part, value, rest.
      if (next.size() + (p - from) + with.size() + (out.size() - p - what.size()) > kMaxPage)
        throw ELumarteError("The template's placeholders make a page larger than 64 MB.");
      next.append(out, from, p - from).append(with);
      from = p + what.size();
    }
    if (from == 0) return;  // no occurrence: the page stays as it is
    next.append(out, from);
    out = std::move(next);
  };
  replace("<!!replaceWithGalleryFile!!>", v.GalleryFileName);
  replace("<!!replaceWithFirstImageLink!!>", v.FirstImageLink);
  replace("<!!replaceWithThumbWidth!!>", v.ThumbWidth);
  replace("<!!replaceWithThumbHeight!!>", v.ThumbHeight);
  replace("<!!replaceWithText Bottom!!>", "");
  for (int k = 0; k < 8; ++k)
    replace("<!!replaceWith" + v.ParameterNames[k] + "!!>", v.ParameterValues[k]);
  return out;
}

TTemplateRunKeys ReadTemplateRunKeys(const std::vector<std::string>& lines) {
  TTemplateRunKeys keys;
  for (const auto& l : lines) {
    if (Starts(l, "INDEXISNOTGALLERY=") && Upper(Value(l)) == "TRUE") keys.IndexIsNotGallery = true;
    if (Starts(l, "INDEXFILE=")) keys.IndexFile = Value(l);
    if (!Starts(l, "COPY")) continue;
    const size_t to = l.find(" TO ");
    if (to == std::string::npos || to < 4) continue;
    keys.Copies.push_back({Trim(l.substr(4, to - 4)), Trim(l.substr(to + 4, 255))});
  }
  return keys;
}

bool IsContainedPath(const std::string& relative) {
  if (relative.empty() || relative[0] == '/' || relative[0] == '\\') return false;
  size_t b = 0;
  while (b <= relative.size()) {
    size_t e = relative.find_first_of("/\\", b);
    if (e == std::string::npos) e = relative.size();
    if (relative.compare(b, e - b, "..") == 0 && e - b == 2) return false;
    b = e + 1;
  }
  return true;
}

}  // namespace lumarte::gallery
