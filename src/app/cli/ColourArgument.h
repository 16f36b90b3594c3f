#pragma once
// Colours on the command line: RRGGBB in hexadecimal.
#include <cstdint>
#include <string>

namespace lumarte::cli {

// RRGGBB to the colour value 0x00BBGGRR; false when s is not six hex digits.
bool ParseColor(const std::string& s, uint32_t& color);

}  // namespace lumarte::cli
