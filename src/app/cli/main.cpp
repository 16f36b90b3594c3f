// lumarte-cli: the editor's core without a window.
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/Commands.h"
#include "imaging/ImageDLLLoader.h"

int main(int argc, char** argv) {
  // Formats of the codec libraries beside the program (JPEG 2000, ...).
  lumarte::imaging::ScanProgramFolder();
  std::vector<std::string> args(argv + 1, argv + argc);
  return lumarte::cli::Run(args, stdout, stderr);
}
