#include "app/cli/Arguments.h"

#include <algorithm>
#include <charconv>

namespace lumarte::cli {

bool ParseNumber(const std::string& s, int64_t lo, int64_t hi, int64_t& v) {
  if (s.empty() || s[0] < '0' || s[0] > '9') return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && end == s.data() + s.size() && v >= lo && v <= hi;
}

bool ParseNumber(const std::string& s, int lo, int hi, int& v) {
  int64_t wide = 0;
  if (!ParseNumber(s, int64_t{lo}, int64_t{hi}, wide)) return false;
  v = static_cast<int>(wide);
  return true;
}

bool AsksForHelp(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(),
                     [](const std::string& a) { return a == "--help" || a == "-h"; });
}

int UsageError(std::FILE* err, const std::string& error, const char* usage) {
  std::fprintf(err, "lumarte-cli: %s\n%s", error.c_str(), usage);
  return 2;
}

}  // namespace lumarte::cli
