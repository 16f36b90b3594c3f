#include "app/cli/ColourArgument.h"

#include <cstdlib>

namespace lumarte::cli {

bool ParseColor(const std::string& s, uint32_t& color) {
  if (s.size() != 6 || s.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return false;
  uint32_t rgb = static_cast<uint32_t>(std::strtoul(s.c_str(), nullptr, 16));
  color = (rgb >> 16) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
  return true;
}

}  // namespace lumarte::cli
