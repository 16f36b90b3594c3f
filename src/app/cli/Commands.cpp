#include "app/cli/Commands.h"

#include "app/cli/ApplyCommand.h"
#include "app/cli/ConvertCommand.h"
#include "app/cli/GalleryCommand.h"
#include "app/cli/InfoCommand.h"

namespace lumarte::cli {

namespace {

constexpr const char* kUsage =
    "Usage: lumarte-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  info FILE...   print size and depth of each image\n"
    "  convert IN OUT [--quality N] [--progressive] [--bits 1|4|8|24]\n"
    "                 [--transparent RRGGBB]\n"
    "                 read IN and write OUT in the format of its extension\n"
    "  apply IN OUT EFFECT [name=value ...] [--select SHAPE] [--seed N]\n"
    "                 run an effect on IN (inside SHAPE: rect:X1,Y1,X2,Y2,\n"
    "                 circle:CX,CY,R or polygon:X,Y;X,Y;...) and write OUT;\n"
    "                 the random seed is 0 unless given; --fg, --bg (RRGGBB)\n"
    "                 and --pen N set the colours and pen width of effects\n"
    "                 that paint or fill (white, black and 1 otherwise)\n"
    "  apply --list   print every effect with its parameters\n"
    "  gallery OUTDIR IMAGES... [options]\n"
    "                 make a web gallery of IMAGES in OUTDIR (gallery --help\n"
    "                 lists the options); gallery OUTDIR --undo takes it back\n"
    "  --version      print the program version\n"
    "  --help         print this text\n";

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
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (cmd == "info") return RunInfo(rest, out, err);
  if (cmd == "convert") return RunConvert(rest, out, err);
  if (cmd == "apply") return RunApply(rest, out, err);
  if (cmd == "gallery") return RunGallery(rest, out, err);
  std::fprintf(err, "lumarte-cli: unknown command \"%s\"\n%s", cmd.c_str(), kUsage);
  return 2;
}

}  // namespace lumarte::cli
