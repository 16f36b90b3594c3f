#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace lumarte::cli {

// lumarte-cli info FILE...: one line per file (name, width x height, 8-bit or
// 24-bit, "grey" for grey images); 0 when every file loaded, 1 when one
// failed, 2 without files.
int RunInfo(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace lumarte::cli
