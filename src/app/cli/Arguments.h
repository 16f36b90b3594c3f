#pragma once
// What every command shares in reading its arguments: whole numbers, help
// and usage errors.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace lumarte::cli {

// A decimal whole number in lo..hi and nothing else (no sign, no blanks).
bool ParseNumber(const std::string& s, int64_t lo, int64_t hi, int64_t& v);
bool ParseNumber(const std::string& s, int lo, int hi, int& v);

// True when one of the arguments is --help or -h.
bool AsksForHelp(const std::vector<std::string>& args);

// "lumarte-cli: ERROR" and the command's usage on err; returns 2, the exit
// status of bad usage.
int UsageError(std::FILE* err, const std::string& error, const char* usage);

}  // namespace lumarte::cli
