#pragma once
// The colour list of the template parameters and of the collage background.
#include <string>
#include <vector>

namespace lumarte::gallery {

// 137 items: 16 basic colours ("black = #000000 "), 120 named ones
// ("aliceblue  #F0F8FF ") and an empty last item.
const std::vector<std::string>& ColourList();

// What choosing an item puts into a parameter: the colour between double
// quotes, its name for a basic colour, "#" and the hex digits otherwise.
std::string ColourParameter(const std::string& item);

// The background of a collage: the six characters after the first "#" as
// RR GG BB, where anything but 0-9 and A-F counts as 0. 0x00BBGGRR.
uint32_t ColourOfItem(const std::string& item);

}  // namespace lumarte::gallery
