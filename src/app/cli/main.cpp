// lumarte-cli: the editor's core without a window.
#include <malloc.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/Commands.h"
#include "imaging/ImageDLLLoader.h"

int main(int argc, char** argv) {
  // A run holds a few picture-sized blocks one after another. Kept in the
  // heap when freed, the next block reuses their pages instead of the kernel
  // clearing fresh ones (a third of a whole-image effect's time otherwise).
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  // Formats of the codec libraries beside the program (JPEG 2000, ...).
  lumarte::imaging::ScanProgramFolder();
  std::vector<std::string> args(argv + 1, argv + argc);
  return lumarte::cli::Run(args, stdout, stderr);
}
