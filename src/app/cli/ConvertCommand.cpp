#include "app/cli/ConvertCommand.h"

#include <functional>
#include <map>
#include <set>

#include "app/cli/Arguments.h"
#include "app/cli/Batch.h"
#include "app/cli/ColourArgument.h"
#include "imaging/FileUtils.h"

namespace lumarte::cli {

using namespace editor;

const char* const kConvertUsage =
    "Usage: lumarte-cli convert IN OUT [options]\n"
    "       lumarte-cli convert IN... -o DIR [--to EXT] [options]\n"
    "Reads each image and writes it in the format of the output's extension;\n"
    "with -o every input goes into DIR under its own name, with extension EXT\n"
    "when given. Options (each used by the formats that have it):\n"
    "  --quality N          JPEG quality 1..100 (default 90)\n"
    "  --progressive        progressive JPEG\n"
    "  --bits 1|4|8|24      BMP colour depth (PCX: 8 or 24)\n"
    "  --transparent RRGGBB PNG and GIF: this colour is transparent\n"
    "  --rate PERCENT       lossy JPEG 2000 at 0.0..9.9 % of the raw size\n"
    "  --lossless           lossless JPEG 2000 (the default)\n";

namespace {

// "5.3" (percent, one decimal at most) as the dialog's rate 53.
bool ParseRate(const std::string& v, int& rate) {
  const auto dot = v.find('.');
  int whole = 0, tenth = 0;
  if (!ParseNumber(v.substr(0, dot), 0, 9, whole)) return false;
  if (dot != std::string::npos && !ParseNumber(v.substr(dot + 1), 0, 9, tenth)) return false;
  if (dot != std::string::npos && v.size() != dot + 2) return false;
  rate = whole * 10 + tenth;
  return true;
}

// One option: whether it takes a value, and how it is stored.
struct TOptionRule {
  bool TakesValue;
  std::function<std::string(const std::string&, TConvertRequest&)> Apply;
};

const std::map<std::string, TOptionRule>& OptionRules() {
  static const std::map<std::string, TOptionRule> rules = {
      {"--quality",
       {true,
        [](const std::string& v, TConvertRequest& r) -> std::string {
          if (!ParseNumber(v, 1, 100, r.Options.Quality))
            return "--quality takes a number from 1 to 100";
          r.Given |= optQuality;
          return "";
        }}},
      {"--progressive",
       {false,
        [](const std::string&, TConvertRequest& r) -> std::string {
          r.Options.Progressive = true;
          r.Given |= optProgressive;
          return "";
        }}},
      {"--bits",
       {true,
        [](const std::string& v, TConvertRequest& r) -> std::string {
          if (!ParseNumber(v, 1, 24, r.Options.Bits) || !BitsOption(r.Options.Bits))
            return "--bits takes 1, 4, 8 or 24";
          r.Given = (r.Given & ~optAnyBits) | BitsOption(r.Options.Bits);
          return "";
        }}},
      {"--transparent",
       {true,
        [](const std::string& v, TConvertRequest& r) -> std::string {
          if (!ParseColor(v, r.Options.TransparentColor))
            return "--transparent takes a colour RRGGBB in hexadecimal";
          r.Options.Transparent = true;
          r.Given |= optTransparent;
          return "";
        }}},
      {"--rate",
       {true,
        [](const std::string& v, TConvertRequest& r) -> std::string {
          if (!ParseRate(v, r.Options.Rate)) return "--rate takes a percentage from 0.0 to 9.9";
          r.Options.Lossy = true;
          r.Given |= optRate;
          return "";
        }}},
      {"--lossless",
       {false,
        [](const std::string&, TConvertRequest& r) -> std::string {
          r.Given |= optLossless;
          return "";
        }}},
      {"-o",
       {true,
        [](const std::string& v, TConvertRequest& r) -> std::string {
          r.OutputDir = v;
          return "";
        }}},
      {"--to",
       {true,
        [](const std::string& v, TConvertRequest& r) -> std::string {
          r.TargetExt = v.starts_with('.') ? v.substr(1) : v;
          if (r.TargetExt.empty() || r.TargetExt.find('/') != std::string::npos)
            return "--to takes a file extension such as png";
          return "";
        }}},
  };
  return rules;
}

std::string OptionName(unsigned bit, const TSaveOptions& o) {
  switch (bit) {
    case optQuality:
      return "--quality";
    case optProgressive:
      return "--progressive";
    case optTransparent:
      return "--transparent";
    case optRate:
      return "--rate";
    case optLossless:
      return "--lossless";
  }
  return "--bits " + std::to_string(o.Bits);
}

// Options the target format lacks: a depth it does not hold is an error
// (false), options it has no use for are noted.
bool CheckOptions(const TConvertRequest& r, const std::string& ext, std::FILE* err) {
  const TSaveFormat& format = FindSaveFormat(ext);
  for (unsigned bit = 1; bit <= optLast; bit <<= 1) {
    if (!(r.Given & bit) || (format.Options & bit)) continue;
    const std::string name = OptionName(bit, r.Options);
    if ((bit & optAnyBits) && (format.Options & optAnyBits)) {
      std::fprintf(err, "lumarte-cli: %s is not available for .%s files\n", name.c_str(),
                   ext.c_str());
      return false;
    }
    std::fprintf(err, "lumarte-cli: note: %s does not apply to .%s files\n", name.c_str(),
                 ext.c_str());
  }
  return true;
}

}  // namespace

std::string ParseConvert(const std::vector<std::string>& args, TConvertRequest& request) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a[0] != '-') {
      files.push_back(a);
      continue;
    }
    auto rule = OptionRules().find(a);
    if (rule == OptionRules().end()) return "unknown option " + a;
    std::string value;
    if (rule->second.TakesValue) {
      if (i + 1 == args.size()) return a + " needs a value";
      value = args[++i];
    }
    std::string error = rule->second.Apply(value, request);
    if (!error.empty()) return error;
  }
  if ((request.Given & optRate) && (request.Given & optLossless))
    return "--rate and --lossless exclude each other";
  if (request.OutputDir.empty()) {
    if (!request.TargetExt.empty()) return "--to needs -o DIR";
    if (files.size() != 2)
      return "convert takes an input and an output file, or input files and -o DIR";
    request.Inputs = {files[0]};
    request.Output = files[1];
  } else {
    if (files.empty()) return "convert -o DIR takes at least one input file";
    request.Inputs = files;
  }
  return "";
}

int RunConvert(const std::vector<std::string>& args, std::FILE*, std::FILE* err) {
  TConvertRequest request;
  std::string error = ParseConvert(args, request);
  if (!error.empty()) return UsageError(err, error, kConvertUsage);
  std::vector<TBatchJob> jobs =
      PlanJobs(request.Inputs, request.Output, request.OutputDir, request.TargetExt);
  std::set<std::string> exts;
  for (const TBatchJob& job : jobs) exts.insert(imaging::ExtractExt(job.Output));
  for (const std::string& ext : exts)
    if (!CheckOptions(request, ext, err)) return 2;
  if (!MakeOutputFolder(request.OutputDir, err)) return 1;
  RefuseClashes(jobs);
  return RunBatch(jobs, LoadImageBuffer, request.Options, err);
}

}  // namespace lumarte::cli
