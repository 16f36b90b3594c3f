#include "app/cli/InfoCommand.h"

#include "app/cli/SaveFormats.h"

namespace lumarte::cli {

using namespace imaging;

int RunInfo(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.empty()) {
    std::fputs("Usage: lumarte-cli info FILE...\n", err);
    return 2;
  }
  int status = 0;
  for (const std::string& name : args) {
    try {
      TRevedBitmap image;
      LoadImage(name, image);
      std::fprintf(out, "%s: %d x %d, %s%s\n", name.c_str(), image.Width, image.Height,
                   image.PixelFormat == pf8bit ? "8-bit" : "24-bit",
                   image.IsGrayScale() ? ", grey" : "");
    } catch (const std::exception& e) {
      std::fprintf(err, "%s: %s\n", name.c_str(), e.what());
      status = 1;
    }
  }
  return status;
}

}  // namespace lumarte::cli
