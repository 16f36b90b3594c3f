#include "app/cli/Commands.h"

#include <functional>
#include <map>

namespace lumarte::cli {

namespace {

constexpr const char* kUsage =
    "Usage: lumarte-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
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
  std::fprintf(err, "lumarte-cli: unknown command \"%s\"\n%s", cmd.c_str(), kUsage);
  return 2;
}

}  // namespace lumarte::cli
