#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace lumarte::cli {

// Exit status: 0 success, 1 a decode/encode failure, 2 bad usage.
int Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace lumarte::cli
