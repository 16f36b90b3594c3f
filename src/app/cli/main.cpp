// lumarte-cli: the editor's core without a window.
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/Commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return lumarte::cli::Run(args, stdout, stderr);
}
