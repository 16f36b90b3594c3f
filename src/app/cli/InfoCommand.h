#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace lumarte::cli {

extern const char* const kInfoUsage;

// lumarte-cli info FILE...: one line per file (format, size, depth, "grey",
// palette entries, GIF frames), then one line per image of an icon file;
// 0 when every file loaded, 1 when one failed, 2 for bad usage.
int RunInfo(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace lumarte::cli
