#include "gallery/model/GalleryRun.h"

#include <filesystem>

#include "gallery/model/Collage.h"
#include "gallery/model/HtmlWriters.h"
#include "gallery/model/Templates.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"

namespace fs = std::filesystem;

namespace lumarte::gallery {

namespace {

bool IsFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool EndsWithHtml(const std::string& name) {
  const std::string u = imaging::UpperCase(name);
  return u.size() >= 5 && u.compare(u.size() - 5, 5, ".HTML") == 0;
}

std::string ProgramFile(const TGallerySettings& s, const std::string& name) {
  const std::string base = s.ProgramFolder.empty() ? imaging::ProgramDirectory() : s.ProgramFolder;
  return base + (base.empty() || base.back() == '/' ? "" : "/") + name;
}

class TRun {
 public:
  TRun(GalleryProject& p, ProgressReporter& progress, TGalleryQuestions& ask)
      : P(p), S(p.Settings), Progress(progress), Ask(ask) {}

  TGalleryRunResult Go();

 private:
  GalleryProject& P;
  const TGallerySettings& S;
  ProgressReporter& Progress;
  TGalleryQuestions& Ask;
  std::string HtmlFolder, IndexFileName, GalleryFileName;
  bool GalleryTemplateWritten = false;

  void Check();
  void MakeFolders();
  void TemplateSteps();
  void WriteImagePages();
  std::string GalleryCode();
  void WritePages(const std::string& code);
  std::string Substitute(const std::string& text) const {
    return SubstitutePlaceholders(text, PlaceholderValuesFor(P, GalleryFileName));
  }
};

void TRun::Check() {
  if (P.Entries.empty()) throw ELumarteError("No Pictures selected!");
  if (S.HTMLFile.empty() && !S.NoHTML)
    throw ELumarteError(
        "No HTML-File selected! Please select a filename for the gallery. If the file exists, "
        "Lumarte will insert the gallery in the file, unless a template is used.");
}

void TRun::MakeFolders() {
  std::error_code ec;
  if (!fs::is_directory(HtmlFolder, ec)) {
    fs::create_directory(HtmlFolder, ec);
    if (ec || !fs::is_directory(HtmlFolder, ec))
      throw ELumarteError("This Directory can't be created!");
  }
  const size_t slash = S.HTMLFile.find_last_of('/');
  if (slash != std::string::npos) fs::create_directories(HtmlFolder + "/" + S.HTMLFile.substr(0, slash), ec);
  fs::create_directories(ImageFolder(S), ec);
  if (!fs::is_directory(ImageFolder(S), ec)) throw ELumarteError("This Directory can't be created!");
}

void TRun::TemplateSteps() {
  if (S.TemplateName.empty()) return;
  const std::string folder = TemplateFolder(S);
  const std::string tpl = folder + S.TemplateName + ".tpl";
  if (!IsFile(tpl)) return;
  const TTemplateRunKeys keys = ReadTemplateRunKeys(SplitLines(ReadWholeFile(tpl)));
  if (keys.IndexIsNotGallery && IsContainedPath(keys.IndexFile) && IsFile(folder + keys.IndexFile)) {
    GalleryFileName = IndexFileName.substr(0, IndexFileName.size() >= 5 ? IndexFileName.size() - 5 : 0) +
                      "_gallery.html";
    P.Undo.Write(HtmlFolder + "/" + IndexFileName, Substitute(ReadWholeFile(folder + keys.IndexFile)));
  }
  if (IsFile(folder + S.TemplateName + ".html")) {
    P.Undo.Write(HtmlFolder + "/" + GalleryFileName,
                 Substitute(ReadWholeFile(folder + S.TemplateName + ".html")));
    GalleryTemplateWritten = true;
  }
  for (const auto& c : keys.Copies) {
    if (!IsContainedPath(c.Source) || !IsFile(folder + c.Source)) continue;
    if (!IsContainedPath(c.Target)) {
      Ask.Note("The template's COPY target \"" + c.Target +
               "\" lies outside the HTML folder; the file was not copied.");
      continue;
    }
    const std::string target = HtmlFolder + "/" + c.Target;
    std::error_code ec;
    fs::create_directories(fs::path(target).parent_path(), ec);
    std::string bytes = ReadWholeFile(folder + c.Source);
    if (EndsWithHtml(c.Source) || EndsWithHtml(c.Target)) bytes = Substitute(bytes);
    P.Undo.Write(target, bytes, false);
  }
}

void TRun::WriteImagePages() {
  for (const auto& e : P.Entries) {
    const std::string page = e.Name.substr(0, e.Name.size() >= 4 ? e.Name.size() - 4 : 0) + ".html";
    P.Undo.Write(ImageFolder(S) + page, Substitute(ImagePageText(S.ImagePageSkeleton, e)), false);
  }
}

std::string TRun::GalleryCode() {
  TCodeContext c{ImagePrefix(GalleryFileName, S.ImageDir),
                 TargetAttribute(S)};
  switch (S.Style) {
    case TGalleryStyle::List:
      return WriteList(P.Entries, S, c);
    case TGalleryStyle::Paragraph:
      return WriteParagraphs(P.Entries, S, c);
    case TGalleryStyle::Collage:
      return WriteCollage(P, c, GalleryFileName, ImageFolder(S), Progress);
    default:
      return WriteTable(P.Entries, S, c);
  }
}

void TRun::WritePages(const std::string& code) {
  const std::string galleryPath = HtmlFolder + "/" + GalleryFileName;
  std::string skeleton;
  if (IsFile(galleryPath))
    skeleton = ReadWholeFile(galleryPath);
  else if (IsFile(ProgramFile(S, "Lumarte.dhf")))
    skeleton = ReadWholeFile(ProgramFile(S, "Lumarte.dhf"));
  const TInsertion ins = FindInsertionPoint(skeleton);
  const std::vector<std::string> chunks = SplitPages(code);
  for (size_t n = 1; n <= chunks.size(); ++n) {
    const std::string text = Substitute(PageText(ins, chunks[n - 1])) + "\r\n";
    const bool backup = n > 1 || !GalleryTemplateWritten;
    P.Undo.Write(HtmlFolder + "/" + PageFileName(GalleryFileName, static_cast<int>(n)), text, backup);
  }
}

TGalleryRunResult TRun::Go() {
  Check();
  if (!P.Undo.CreatedFiles.empty() && Ask.AskRemovePrevious()) P.Undo.Undo();
  const int count = static_cast<int>(P.Entries.size());
  Progress.SetProgress(0, 0, "Thumbnail Creator.", count);
  HtmlFolder = S.HTMLDir;
  MakeFolders();
  P.Undo.ForgetUndo();
  PublishAndMakeThumbnails(P, ImageFolder(S), Progress, Ask);
  if (S.LinkIsHTML)
    for (auto& e : P.Entries) e.Link = e.Name.substr(0, e.Name.size() >= 4 ? e.Name.size() - 4 : 0) + ".html";
  TGalleryRunResult result;
  if (S.NoHTML) return result;
  IndexFileName = GalleryFileName = S.HTMLFile;
  TemplateSteps();
  if (S.LinkIsHTML) WriteImagePages();
  Progress.SetProgress(0, count, "Thumbnail Creator: Creating HTML code.", count);
  result.Code = InsertNavigation(GalleryCode(), GalleryFileName);
  WritePages(result.Code);
  result.OpenFile = HtmlFolder + "/" + IndexFileName;
  return result;
}

}  // namespace

std::string ImageFolder(const TGallerySettings& s) {
  if (s.ImageDir.empty() || s.ImageDir == ".") return s.HTMLDir + "/";
  return s.HTMLDir + "/" + s.ImageDir + "/";
}

TGalleryRunResult RunGallery(GalleryProject& p, ProgressReporter& progress,
                             TGalleryQuestions& ask) {
  return TRun(p, progress, ask).Go();
}

}  // namespace lumarte::gallery
