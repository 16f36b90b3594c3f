#include "app/cli/ConvertCommand.h"

#include <cstdlib>
#include <functional>
#include <map>

#include "app/cli/ColourArgument.h"
#include "imaging/FileUtils.h"

namespace lumarte::cli {

using namespace imaging;

namespace {

bool ParseInt(const std::string& s, int& v) {
  if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos)
    return false;
  v = std::atoi(s.c_str());
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
          if (!ParseInt(v, r.Options.Quality) || r.Options.Quality < 1 || r.Options.Quality > 100)
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
          if (!ParseInt(v, r.Options.Bits) || !BitsOption(r.Options.Bits))
            return "--bits takes 1, 4, 8 or 24";
          r.Given = (r.Given & ~(optBits1 | optBits4 | optBits8 | optBits24)) |
                    BitsOption(r.Options.Bits);
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
  }
  return "--bits " + std::to_string(o.Bits);
}

}  // namespace

std::string ParseConvert(const std::vector<std::string>& args, TConvertRequest& request) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
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
  if (files.size() != 2) return "convert takes an input and an output file";
  request.Input = files[0];
  request.Output = files[1];
  return "";
}

int RunConvert(const std::vector<std::string>& args, std::FILE*, std::FILE* err) {
  TConvertRequest request;
  std::string error = ParseConvert(args, request);
  if (!error.empty()) {
    std::fprintf(err,
                 "lumarte-cli: %s\nUsage: lumarte-cli convert IN OUT [--quality N] "
                 "[--progressive] [--bits 1|4|8|24] [--transparent RRGGBB]\n",
                 error.c_str());
    return 2;
  }
  const std::string ext = ExtractExt(request.Output);
  const TSaveFormat& format = FindSaveFormat(ext);
  const unsigned bitsOptions = optBits1 | optBits4 | optBits8 | optBits24;
  for (unsigned bit = 1; bit <= optBits24; bit <<= 1) {
    if (!(request.Given & bit) || (format.Options & bit)) continue;
    std::string name = OptionName(bit, request.Options);
    if ((bit & bitsOptions) && (format.Options & bitsOptions)) {
      std::fprintf(err, "lumarte-cli: %s is not available for .%s files\n", name.c_str(),
                   ext.c_str());
      return 2;
    }
    std::fprintf(err, "lumarte-cli: note: %s does not apply to .%s files\n", name.c_str(),
                 ext.c_str());
  }
  const std::string* current = &request.Input;
  try {
    TRevedBitmap image;
    LoadImage(request.Input, image);
    current = &request.Output;
    SaveReplacing(request.Output,
                  [&](const std::string& temp) { format.Save(temp, ext, image, request.Options); });
  } catch (const std::exception& e) {
    std::fprintf(err, "lumarte-cli: %s: %s\n", current->c_str(), e.what());
    return 1;
  }
  return 0;
}

}  // namespace lumarte::cli
