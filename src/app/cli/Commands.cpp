#include "app/cli/Commands.h"

#include "app/cli/ApplyCommand.h"
#include "app/cli/Arguments.h"
#include "app/cli/ConvertCommand.h"
#include "app/cli/GalleryCommand.h"
#include "app/cli/InfoCommand.h"

namespace lumarte::cli {

namespace {

constexpr const char* kUsage =
    "Usage: lumarte-cli COMMAND [ARGS]   (lumarte-cli COMMAND --help for its options)\n"
    "\n"
    "Commands:\n"
    "  info FILE...   print format, size, depth and palette of each image\n"
    "  convert IN OUT [options], convert IN... -o DIR [--to EXT] [options]\n"
    "                 read images and write them in the format of the output's\n"
    "                 extension with the save options of the editor's dialogs\n"
    "  apply IN OUT EFFECT [name=value ...], apply IN... -o DIR EFFECT ...\n"
    "                 run an effect of the editor on images\n"
    "  apply --list   print every effect with its parameters\n"
    "  gallery OUTDIR IMAGES... [options]\n"
    "                 make a web gallery of IMAGES in OUTDIR; gallery OUTDIR --undo\n"
    "                 takes it back\n"
    "  --version      print the program version\n"
    "  --help         print this text\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read or written, 2 bad usage.\n";

struct TCommand {
  const char* Name;
  const char* const* Usage;
  int (*Run)(const std::vector<std::string>&, std::FILE*, std::FILE*);
};

const TCommand kCommands[] = {
    {"info", &kInfoUsage, RunInfo},
    {"convert", &kConvertUsage, RunConvert},
    {"apply", &kApplyUsage, RunApply},
    {"gallery", &kGalleryUsage, RunGallery},
};

}  // namespace

int Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.empty()) {
    std::fputs(kUsage, err);
    return 2;
  }
  const std::string& cmd = args[0];
  if (cmd == "--version") {
    std::fputs("Lumarte 1.0\n", out);
    return 0;
  }
  if (cmd == "--help" || cmd == "-h") {
    std::fputs(kUsage, out);
    return 0;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  for (const TCommand& c : kCommands) {
    if (cmd != c.Name) continue;
    if (AsksForHelp(rest)) {
      std::fputs(*c.Usage, out);
      return 0;
    }
    return c.Run(rest, out, err);
  }
  return UsageError(err, "unknown command \"" + cmd + "\"", kUsage);
}

}  // namespace lumarte::cli
