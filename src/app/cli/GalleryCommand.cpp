#include "app/cli/GalleryCommand.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "app/cli/Arguments.h"
#include "gallery/model/GalleryRun.h"
#include "gallery/model/SetFile.h"
#include "gallery/model/Templates.h"
#include "imaging/Errors.h"

namespace lumarte::cli {

using namespace gallery;
namespace fs = std::filesystem;

const char* const kGalleryUsage =
    "Usage: lumarte-cli gallery OUTDIR IMAGES... | --set FILE.set [--html gallery.html]\n"
    "  [--image-dir images] [--style table|list|paragraph|collage] [--rows N --cols N\n"
    "  --list-rows N] [--quality high|middle|low|very-low] [--size limit|hard-limit|stretch|fit]\n"
    "  [--width W --height H] [--resize-greater-than G] [--link-html] [--no-html]\n"
    "  [--images-are-thumbs] [--target FRAME] [--template NAME --param \"Title=My trip\" ...]\n"
    "  [--collage table|random|circle --seed N]\n"
    "lumarte-cli gallery OUTDIR --undo   takes the last gallery run in OUTDIR back\n";

namespace {

struct TRequest {
  std::string OutDir, SetFile;
  std::vector<std::string> Images;
  std::vector<std::pair<std::string, std::string>> Params;
  bool Undo = false;
  TGallerySettings S;
};

template <class E>
std::string Choose(const std::string& v, const std::map<std::string, E>& names, E& out,
                   const std::string& option) {
  const auto it = names.find(v);
  if (it == names.end()) return option + " does not take \"" + v + "\"";
  out = it->second;
  return "";
}

using TRule = std::function<std::string(const std::string&, TRequest&)>;

TRule Number(const char* option, int lo, int hi, int TGallerySettings::*field) {
  return [=](const std::string& v, TRequest& r) -> std::string {
    return ParseNumber(v, lo, hi, r.S.*field) ? ""
                                           : std::string(option) + " takes a number from " +
                                                 std::to_string(lo) + " to " + std::to_string(hi);
  };
}

TRule Flag(bool TGallerySettings::*field) {
  return [=](const std::string&, TRequest& r) -> std::string {
    r.S.*field = true;
    return "";
  };
}

// Options with a value, then the flags.
const std::map<std::string, TRule>& ValueRules() {
  static const std::map<std::string, TRule> rules = {
      {"--set", [](const std::string& v, TRequest& r) { r.SetFile = v; return std::string(); }},
      {"--html", [](const std::string& v, TRequest& r) { r.S.HTMLFile = CompleteHtmlFileName(v); return std::string(); }},
      {"--image-dir", [](const std::string& v, TRequest& r) { r.S.ImageDir = v; return std::string(); }},
      {"--style", [](const std::string& v, TRequest& r) {
         return Choose<TGalleryStyle>(v, {{"table", TGalleryStyle::Table}, {"list", TGalleryStyle::List},
                                          {"paragraph", TGalleryStyle::Paragraph}, {"collage", TGalleryStyle::Collage}},
                                      r.S.Style, "--style");
       }},
      {"--rows", Number("--rows", 1, 99, &TGallerySettings::Rows)},
      {"--cols", Number("--cols", 1, 99, &TGallerySettings::Cols)},
      {"--list-rows", Number("--list-rows", 1, 99, &TGallerySettings::ListRows)},
      {"--width", Number("--width", 1, 32000, &TGallerySettings::Width)},
      {"--height", Number("--height", 1, 32000, &TGallerySettings::Height)},
      {"--resize-greater-than", [](const std::string& v, TRequest& r) -> std::string {
         r.S.ImageResize = true;
         return Number("--resize-greater-than", 0, 32000, &TGallerySettings::GreaterThan)(v, r);
       }},
      {"--quality", [](const std::string& v, TRequest& r) {
         return Choose<TThumbQuality>(v, {{"high", TThumbQuality::High}, {"middle", TThumbQuality::Middle},
                                          {"low", TThumbQuality::Low}, {"very-low", TThumbQuality::VeryLow}},
                                      r.S.Quality, "--quality");
       }},
      {"--size", [](const std::string& v, TRequest& r) {
         return Choose<TSizingMode>(v, {{"limit", TSizingMode::Limit}, {"hard-limit", TSizingMode::HardLimit},
                                        {"stretch", TSizingMode::Stretch}, {"fit", TSizingMode::Fit}},
                                    r.S.Sizing, "--size");
       }},
      {"--target", [](const std::string& v, TRequest& r) {
         r.S.UseTargetFrame = true;
         r.S.TargetFrame = v;
         return std::string();
       }},
      {"--template", [](const std::string& v, TRequest& r) { r.S.TemplateName = v; return std::string(); }},
      {"--param", [](const std::string& v, TRequest& r) -> std::string {
         const size_t eq = v.find('=');
         if (eq == std::string::npos || eq == 0) return "--param takes NAME=VALUE";
         r.Params.emplace_back(v.substr(0, eq), v.substr(eq + 1));
         return "";
       }},
      {"--collage", [](const std::string& v, TRequest& r) {
         return Choose<TCollagePartitioning>(v, {{"table", TCollagePartitioning::Table},
                                                 {"random", TCollagePartitioning::Random},
                                                 {"circle", TCollagePartitioning::Circle}},
                                             r.S.Collage.Partitioning, "--collage");
       }},
      {"--seed", [](const std::string& v, TRequest& r) -> std::string {
         int seed = 0;
         if (!ParseNumber(v, 0, 999999, seed)) return "--seed takes a number from 0 to 999999";
         r.S.Collage.Seed = static_cast<uint32_t>(seed);
         return "";
       }},
  };
  return rules;
}

const std::map<std::string, TRule>& FlagRules() {
  static const std::map<std::string, TRule> rules = {
      {"--link-html", Flag(&TGallerySettings::LinkIsHTML)},
      {"--no-html", Flag(&TGallerySettings::NoHTML)},
      {"--images-are-thumbs", Flag(&TGallerySettings::ImagesAreThumbnails)},
      {"--undo", [](const std::string&, TRequest& r) { r.Undo = true; return std::string(); }},
  };
  return rules;
}

std::string Parse(const std::vector<std::string>& args, TRequest& r) {
  std::vector<std::string> plain;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      plain.push_back(a);
    } else if (auto f = FlagRules().find(a); f != FlagRules().end()) {
      f->second("", r);
    } else if (auto v = ValueRules().find(a); v != ValueRules().end()) {
      if (i + 1 == args.size()) return a + " needs a value";
      if (std::string e = v->second(args[++i], r); !e.empty()) return e;
    } else {
      return "unknown option " + a;
    }
  }
  if (plain.empty()) return "gallery needs an output folder";
  r.OutDir = plain[0];
  r.Images.assign(plain.begin() + 1, plain.end());
  if (!r.Undo && r.Images.empty() && r.SetFile.empty()) return "gallery needs images or --set FILE.set";
  if (!r.Undo && r.S.HTMLFile.empty()) r.S.HTMLFile = "gallery.html";
  return "";
}

// The undo record and backups of the CLI's runs in one output folder.
std::string RecordFolder(const std::string& outDir) {
  const std::string abs = fs::absolute(outDir).lexically_normal().string();
  return DefaultBackupFolder() + "/cli-" + std::to_string(std::hash<std::string>{}(abs));
}

class TTerminal : public ProgressReporter, public TGalleryQuestions {
 public:
  explicit TTerminal(std::FILE* err) : Err(err), Tty(isatty(fileno(err)) != 0) {}
  ~TTerminal() override {
    if (Shown) std::fputc('\n', Err);
  }
  void SetProgress(int, int, const std::string& text, int) override {
    if (!Tty) return;
    std::fprintf(Err, "\r\033[K%s", text.c_str());
    std::fflush(Err);
    Shown = true;
  }
  bool AbortRequested() const override { return false; }
  bool AskRemovePrevious() override { return false; }
  std::optional<editor::TJpegSaveChoice> AskJpegOptions(const editor::TBitmap&) override {
    return std::nullopt;
  }
  void Note(const std::string& text) override { std::fprintf(Err, "\nlumarte-cli: note: %s\n", text.c_str()); }

 private:
  std::FILE* Err;
  bool Tty;
  bool Shown = false;
};

void ApplyTemplate(TRequest& r) {
  const std::string tpl = TemplateFolder(r.S) + r.S.TemplateName + ".tpl";
  if (!fs::is_regular_file(tpl)) {
    if (!fs::is_regular_file(TemplateFolder(r.S) + r.S.TemplateName + ".html"))
      throw ELumarteError("There is no template \"" + r.S.TemplateName + "\".");
    return;
  }
  const auto lines = SplitLines(ReadWholeFile(tpl));
  ApplyTemplateSettings(lines, r.S);
  const TTemplateParameters t = ReadTemplateParameters(lines);
  for (int k = 0; k < 8; ++k) {
    r.S.ParameterNames[k] = t.Names[k];
    if (t.HasDefault[k]) r.S.ParameterValues[k] = t.Defaults[k];
  }
  for (const auto& [name, value] : r.Params) {
    const auto* it = std::find(t.Names, t.Names + t.Count, name);
    if (it == t.Names + t.Count) throw ELumarteError("The template has no parameter \"" + name + "\".");
    r.S.ParameterValues[it - t.Names] = value;
  }
}

int Undo(const std::string& outDir, std::FILE* out) {
  const std::string folder = RecordFolder(outDir);
  const std::string record = folder + "/undo.txt";
  if (!fs::is_regular_file(record)) throw ELumarteError("Nothing there to undo!");
  TUndoLog log;
  log.BackupFolder = folder;
  log.Load(ReadWholeFile(record));
  log.Undo();
  fs::remove(record);
  std::fprintf(out, "undone\n");
  return 0;
}

}  // namespace

int RunGallery(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  TRequest r;
  if (const std::string e = Parse(args, r); !e.empty()) return UsageError(err, e, kGalleryUsage);
  try {
    if (r.Undo) return Undo(r.OutDir, out);
    // Options on the command line win over the template's settings, as they
    // would after choosing the template in the window and then editing.
    if (!r.S.TemplateName.empty()) {
      TRequest fromTemplate = r;
      ApplyTemplate(fromTemplate);
      TRequest again = fromTemplate;
      Parse(args, again);
      r = again;
      for (int k = 0; k < 8; ++k) {
        r.S.ParameterNames[k] = fromTemplate.S.ParameterNames[k];
        r.S.ParameterValues[k] = fromTemplate.S.ParameterValues[k];
      }
    }
    GalleryProject p;
    p.Settings = r.S;
    p.Settings.HTMLDir = fs::absolute(r.OutDir).lexically_normal().string();
    while (p.Settings.HTMLDir.size() > 1 && p.Settings.HTMLDir.back() == '/') p.Settings.HTMLDir.pop_back();
    if (!r.SetFile.empty()) LoadSetFile(p, r.SetFile);
    for (const auto& image : r.Images)
      if (!p.AddImage(image, FilePart(image)))
        throw ELumarteError("\"" + image + "\" does not exist.");
    for (auto& e : p.Entries) e.Name = e.Link = ShownName(e.Name);
    const std::string folder = RecordFolder(r.OutDir);
    // A new run forgets the one before, as the window does.
    TUndoLog previous;
    previous.BackupFolder = folder;
    if (fs::is_regular_file(folder + "/undo.txt")) {
      previous.Load(ReadWholeFile(folder + "/undo.txt"));
      previous.ForgetUndo();
    }
    p.Undo.BackupFolder = folder;
    TTerminal terminal(err);
    TGalleryRunResult result;
    try {
      result = gallery::RunGallery(p, terminal, terminal);
    } catch (...) {
      if (!p.Undo.Empty()) {
        fs::create_directories(folder);
        WriteWholeFile(folder + "/undo.txt", p.Undo.Save());
      }
      throw;
    }
    fs::create_directories(folder);
    WriteWholeFile(folder + "/undo.txt", p.Undo.Save());
    std::fprintf(out, "%s\n", result.OpenFile.empty() ? p.Settings.HTMLDir.c_str() : result.OpenFile.c_str());
  } catch (const std::exception& e) {
    std::fprintf(err, "lumarte-cli: %s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace lumarte::cli
