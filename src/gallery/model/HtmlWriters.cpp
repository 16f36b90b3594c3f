#include "gallery/model/HtmlWriters.h"

#include "base/Rounding.h"
#include "imaging/FileUtils.h"

namespace lumarte::gallery {

const char* const kCodeStart = "\r\n<!-THUMBNAILCREATORSTART-!>\r\n\r\n";
const char* const kCodeEnd = "\r\n\r\n<!-THUMBNAILCREATOREND-!>\r\n";

namespace {

const std::string q = "\"";

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::string ClassAttribute(const std::string& cssClass) {
  return cssClass.empty() ? "" : "class=" + q + cssClass + q;
}

std::string Upper(const std::string& s) { return imaging::UpperCase(s); }

// The marker a page's entries follow in the code.
std::string PageStart(int n) { return PageMarker(n) + "\r\n\r\n"; }

std::string Link(const GalleryEntry& e, const TCodeContext& c, const std::string& cls) {
  return "<a href=" + q + c.Prefix + e.Link + q + " " + cls + " " + c.Target + ">\r\n";
}

std::string Img(const GalleryEntry& e, const TCodeContext& c, const std::string& cls) {
  return " <img src=" + q + c.Prefix + e.ThumbName + q + " alt=" + q + Trim(e.Hint) + q + " " +
         cls + ">";
}

const char* AlignName(THAlign a, bool capital) {
  switch (a) {
    case THAlign::Left:
      return capital ? "Left" : "left";
    case THAlign::Right:
      return capital ? "Right" : "right";
    default:
      return capital ? "Center" : "center";
  }
}

const char* VAlignName(TVAlign a) {
  return a == TVAlign::Top ? "top" : a == TVAlign::Bottom ? "bottom" : "middle";
}

// Position of the gallery file's ".HTM", or npos.
size_t HtmPosition(const std::string& file) { return Upper(file).find(".HTM"); }

}  // namespace

std::string PageMarker(int n) { return "<!-PAGE" + std::to_string(n) + "-!>"; }

std::string ImagePrefix(const std::string& galleryFile, const std::string& imageDir) {
  std::string prefix;
  for (char ch : galleryFile)
    if (ch == '/' || ch == '\\') prefix += "../";
  if (!imageDir.empty()) prefix += imageDir + "/";
  for (char& ch : prefix)
    if (ch == '\\') ch = '/';
  return prefix;
}

std::string TargetAttribute(const TGallerySettings& s) {
  const std::string t = Trim(s.TargetFrame);
  return s.UseTargetFrame && !t.empty() ? "target=" + q + t + q : "";
}

std::string PageExtension(const std::string& galleryFile) {
  const size_t p = HtmPosition(galleryFile);
  return p == std::string::npos ? ".html" : galleryFile.substr(p, 6);
}

std::string PageFileName(const std::string& galleryFile, int n) {
  if (n == 1) return galleryFile;
  return galleryFile.substr(0, HtmPosition(galleryFile)) + std::to_string(n) +
         PageExtension(galleryFile);
}

std::string WriteList(const std::vector<GalleryEntry>& entries, const TGallerySettings& s,
                      const TCodeContext& c) {
  const std::string C = ClassAttribute(s.List.CSSClass);
  const char* tag = s.List.Ordered ? "ol" : "ul";
  const std::string close = std::string("</") + tag + ">\r\n";
  std::string code = std::string(kCodeStart) + PageStart(1);
  int k = 0, page = 1;
  for (const auto& e : entries) {
    if (k == s.ListRows) {
      code += "\r\n" + close + "\r\n" + PageStart(++page);
      k = 0;
    }
    if (k == 0) code += std::string("\r\n<") + tag + " " + C + ">\r\n";
    code += "<li " + C + "> " + Link(e, c, C) + Img(e, c, C) + " \r\n </a> <br> \r\n" +
            Trim(e.Description) + "</li>\r\n";
    ++k;
  }
  return code + close + kCodeEnd;
}

std::string WriteTable(const std::vector<GalleryEntry>& entries, const TGallerySettings& s,
                       const TCodeContext& c) {
  const TTableOptions& t = s.Table;
  const std::string C = ClassAttribute(t.CSSClass);
  const std::string W = t.Width.empty() ? "" : "width=" + q + t.Width + q;
  const std::string A = "align=" + q + AlignName(t.TDAlign, false) + q;
  const std::string V = "valign=" + q + VAlignName(t.TDVAlign) + q;
  const std::string pct = std::to_string(Round(100.0 / s.Cols));
  const int perPage = s.Rows * s.Cols;
  std::string code = std::string(kCodeStart) + PageStart(1);
  int cells = 0, page = 1;
  for (const auto& e : entries) {
    if (cells == perPage) {
      code += "\r\n</tr></table>\r\n\r\n" + PageStart(++page);
      cells = 0;
    }
    if (cells == 0)
      code += "\r\n<table Border=" + q + std::to_string(t.Border) + q + " " + C + " " + W +
              "> <tr " + C + ">\r\n";
    if (cells > 0 && cells % s.Cols == 0) code += "\r\n</tr><tr " + C + ">\r\n";
    code += "<td width=" + q + pct + "%" + q + " " + C + " " + A + " " + V + "> " + Link(e, c, C) +
            Img(e, c, C) + "</a> \r\n<br> \r\n" + Trim(e.Description) + "</td>\r\n";
    ++cells;
  }
  for (; cells < perPage; ++cells) {
    if (cells > 0 && cells % s.Cols == 0) code += "\r\n</tr><tr>\r\n";
    code += "<td " + C + "> &nbsp; </td>";
  }
  return code + "</tr></table>" + kCodeEnd;
}

std::string WriteParagraphs(const std::vector<GalleryEntry>& entries, const TGallerySettings& s,
                            const TCodeContext& c) {
  const std::string C = ClassAttribute(s.Para.CSSClass);
  const std::string A = "align=" + q + AlignName(s.Para.Align, true) + q;
  std::string code = std::string(kCodeStart) + PageStart(1);
  int k = 0, page = 1;
  bool open = false;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (k == 0) {
      code += "<p " + A + ">\r\n";
      open = true;
    }
    code += Link(entries[i], c, C) + Img(entries[i], c, C) + "</a> \r\n";
    if (k == s.ListRows - 1) {
      code += "</p>\r\n";
      open = false;
      if (i + 1 < entries.size()) code += PageStart(++page);
      k = 0;
    } else {
      ++k;
    }
  }
  if (open) code += "</p>\r\n";
  return code + kCodeEnd;
}

std::string InsertNavigation(const std::string& code, const std::string& galleryFile) {
  std::string base = galleryFile.substr(galleryFile.find_last_of("/\\") + 1);
  base = base.substr(0, HtmPosition(base));
  const std::string ext = PageExtension(galleryFile);
  std::string out = code;
  for (int n = 1;; ++n) {
    const std::string upper = Upper(out);
    const size_t p = upper.find(PageMarker(n));
    if (p == std::string::npos) break;
    std::string nav = "\r\n<p><b>";
    bool links = false;
    if (n >= 2 && upper.find(PageMarker(n - 1)) != std::string::npos) {
      const std::string prev = n == 2 ? "" : std::to_string(n - 1);
      nav += "<a href=" + q + base + prev + ext + q + "> Previous </a> &nbsp;";
      links = true;
    }
    if (upper.find(PageMarker(n + 1)) != std::string::npos) {
      nav += "<a href=" + q + base + std::to_string(n + 1) + ext + q + "> Next </a> &nbsp;";
      links = true;
    }
    nav += "\r\n</b></p>\r\n\r\n";
    out.insert(p + PageMarker(n).size(), "\r\n" + (links ? nav : std::string()));
  }
  return out;
}

TInsertion FindInsertionPoint(const std::string& skeleton) {
  static const std::string kMarked = "<!- !ThumbnailCreatorAddHere! ->";
  static const std::string kBare = "!ThumbnailCreatorAddHere!";
  TInsertion ins{skeleton, skeleton.size()};
  if (size_t p = skeleton.find(kMarked); p != std::string::npos) {
    ins.Point = p + kMarked.size();
  } else if (size_t b = skeleton.find(kBare); b != std::string::npos) {
    ins.Skeleton.erase(b, kBare.size());
    ins.Point = b;
  } else if (size_t e = Upper(skeleton).find("</BODY"); e != std::string::npos) {
    ins.Point = e;
  }
  return ins;
}

std::vector<std::string> SplitPages(const std::string& code) {
  const std::string upper = Upper(code);
  const size_t end = upper.find("<!-THUMBNAILCREATOREND-!>");
  std::vector<std::string> chunks;
  size_t p = upper.find(PageMarker(1));
  for (int n = 1; p != std::string::npos; ++n) {
    const size_t from = p + PageMarker(n).size();
    const size_t next = upper.find(PageMarker(n + 1));
    const size_t to = next != std::string::npos ? next : end;
    chunks.push_back(to == std::string::npos || to < from ? code.substr(from)
                                                          : code.substr(from, to - from));
    p = next;
  }
  return chunks;
}

std::string PageText(const TInsertion& ins, const std::string& chunk) {
  return ins.Skeleton.substr(0, ins.Point) + "\r\n" + chunk + "\r\n" +
         ins.Skeleton.substr(ins.Point) + "\r\n";
}

std::string ImagePageText(const std::vector<std::string>& skeleton, const GalleryEntry& e) {
  std::string sk;
  for (size_t i = 0; i < skeleton.size(); ++i) sk += (i ? "\r\n" : "") + skeleton[i];
  static const std::string kMarker = "<!- IMAGE ->";
  std::string before = sk, after;
  if (size_t p = Upper(sk).find(kMarker); p != std::string::npos) {
    before = sk.substr(0, p + kMarker.size());
    after = sk.substr(p + kMarker.size());
  } else if (size_t b = Upper(sk).find("</BODY>"); b != std::string::npos) {
    before = sk.substr(0, b);
    after = sk.substr(b);
  }
  return before + "\r\n<img src=" + q + e.Name + q + ">\r\n<br>\r\n" + e.Description + "\r\n" +
         after + "\r\n";
}

}  // namespace lumarte::gallery
