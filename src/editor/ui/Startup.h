#pragma once
// The program from start to end: program-wide state, the windows, the
// command line, the main loop, and the settings written back at the end.

namespace lumarte::editor {

int RunLumarte(int argc, char** argv);

}  // namespace lumarte::editor
