#include "app/cli/InfoCommand.h"

#include "app/cli/Arguments.h"
#include "editor/model/SaveFormats.h"
#include "imaging/FileUtils.h"
#include "imaging/ImageFacts.h"
#include "imaging/JPEGImage.h"

namespace lumarte::cli {

using namespace imaging;

const char* const kInfoUsage =
    "Usage: lumarte-cli info FILE...\n"
    "Prints each image's format, size, colour depth, palette size, the frames\n"
    "of a GIF and the images of an icon or cursor file.\n";

namespace {

std::string Describe(const std::string& name) {
  TRevedBitmap image;
  editor::LoadImageBuffer(name, image);
  TFileStream stream(name, fmRead | fmShareRead);
  const std::string bytes = ReadRest(stream);
  const TImageFacts facts = ReadImageFacts(
      ExtractExt(name), reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  const int bits = facts.Bits ? facts.Bits : image.PixelFormat == pf8bit ? 8 : 24;
  std::string line = name + ": " + facts.Format + ", " + std::to_string(image.Width) + " x " +
                     std::to_string(image.Height) + ", " + std::to_string(bits) + "-bit";
  if (image.IsGrayScale()) line += ", grey";
  if (facts.PaletteSize) line += ", palette " + std::to_string(facts.PaletteSize);
  if (facts.Frames)
    line += ", " + std::to_string(facts.Frames) + (facts.Frames == 1 ? " frame" : " frames");
  line += "\n";
  for (size_t i = 0; i < facts.Icons.size(); ++i) {
    const TIconEntry& e = facts.Icons[i];
    line += "  image " + std::to_string(i + 1) + ": " + std::to_string(e.Width) + " x " +
            std::to_string(e.Height) + ", " + std::to_string(e.Bits) + "-bit\n";
  }
  return line;
}

}  // namespace

int RunInfo(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.empty()) return UsageError(err, "info takes at least one file", kInfoUsage);
  for (const std::string& a : args)
    if (a.size() > 1 && a[0] == '-') return UsageError(err, "unknown option " + a, kInfoUsage);
  int status = 0;
  for (const std::string& name : args) {
    try {
      std::fputs(Describe(name).c_str(), out);
    } catch (const std::exception& e) {
      std::fprintf(err, "%s: %s\n", name.c_str(), e.what());
      status = 1;
    }
  }
  return status;
}

}  // namespace lumarte::cli
