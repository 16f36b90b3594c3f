#include "editor/ui/Startup.h"

int main(int argc, char** argv) {
  return lumarte::editor::RunLumarte(argc, argv);
}
