#pragma once
// Whole-process comparisons with ImageMagick: `lumarte-cli apply` against
// `convert` on the same 12-megapixel PPM, in and out through files, timed in
// wall-clock milliseconds. Each pair shows as BM_<name>/lumarte and
// BM_<name>/peer in one run.
#include <string>
#include <vector>

namespace lumarte::bench {

// Starts the program args[0] (looked up in PATH) and waits; raises when it
// cannot start or does not end with status 0.
void RunProgram(const std::vector<std::string>& args);

// cliArgs follow "apply IN OUT" (the effect and its values); convertArgs go
// between convert's input and output.
void RegisterWholeProcessPair(const std::string& name, std::vector<std::string> cliArgs,
                              std::vector<std::string> convertArgs);

}  // namespace lumarte::bench
