#include "gallery/model/ColourList.h"

#include <cstdint>

namespace lumarte::gallery {

namespace {

struct TNamed {
  const char* Name;
  const char* Hex;
};

constexpr TNamed kBasic[] = {
    {"black", "000000"}, {"maroon", "800000"}, {"green", "008000"},  {"olive", "808000"},
    {"navy", "000080"},  {"purple", "800080"}, {"teal", "008080"},   {"gray", "808080"},
    {"silver", "C0C0C0"}, {"red", "FF0000"},   {"lime", "00FF00"},   {"yellow", "FFFF00"},
    {"blue", "0000FF"},  {"fuchsia", "FF00FF"}, {"aqua", "00FFFF"},  {"white", "FFFFFF"}};

// The CSS keyword values, with the item texts' two oddities kept.
constexpr TNamed kNamed[] = {
    {"aliceblue", "F0F8FF"}, {"antiquewhite", "FAEBD7"}, {"aquamarine", "7FFFD4"},
    {"azure", "F0FFFF"}, {"beige", "F5F5DC"}, {"blueviolet", "8A2BE2"}, {"brown", "A52A2A"},
    {"burlywood", "DEB887"}, {"cadetblue", "5F9EA0"}, {"chartreuse", "7FFF00"},
    {"chocolate", "D2691E"}, {"coral", "FF7F50"}, {"cornflowerblue", "6495ED"},
    {"cornsilk", "FFF8DC"}, {"crimson", "DC143C"}, {"darkblue", "00008B"},
    {"darkcyan", "008B8B"}, {"darkgoldenrod", "B8860B"}, {"darkgray", "A9A9A9"},
    {"darkgreen", "006400"}, {"darkkhaki", "BDB76B"}, {"darkmagenta", "8B008B"},
    {"darkolivegreen", "556B2F"}, {"darkorange", "FF8C00"}, {"darkorchid", "9932CC"},
    {"darkred", "8B0000"}, {"darksalmon", "E9967A"}, {"darkseagreen", "8FBC8F"},
    {"darkslateblue", "483D8B"}, {"darkslategray", "2F4F4F"}, {"darkturquoise", "00CED1"},
    {"darkviolet", "9400D3"}, {"deeppink", "FF1493"}, {"deepskyblue", "00BFFF"},
    {"dimgray", "696969"}, {"dodgerblue", "1E90FF"}, {"firebrick", "B22222"},
    {"floralwhite", "FFFAF0"}, {"forestgreen", "228B22"}, {"gainsboro", "DCDCDC"},
    {"ghostwhite", "F8F8FF"}, {"gold", "FFD700"}, {"goldenrod", "DAA520"},
    {"greenyellow", "ADFF2F"}, {"honeydew", "F0FFF0"}, {"hotpink", "FF69B4"},
    {"indianred", "CD5C5C"}, {"indigo", "4B0082"}, {"ivory", "FFFFF0"}, {"khaki", "F0E68C"},
    {"lavender", "E6E6FA"}, {"lavenderblush", "FFF0F5"}, {"lawngreen", "7CFC00"},
    {"lemonchiffon", "FFFACD"}, {"lightblue", "ADD8E6"}, {"lightcoral", "F08080"},
    {"lightcyan", "E0FFFF"}, {"lightgoldenrodyellow", "FAFAD2"}, {"lightgreen", "90EE90"},
    {"lightgrey", "D3D3D3"}, {"lightpink", "FFB6C1"}, {"lightsalmon", "FFA07A"},
    {"lightseagreen", "20B2AA"}, {"lightskyblue", "87CEFA"}, {"lightslategray", "778899"},
    {"lightsteelblue", "B0C4DE"}, {"lightyellow", "FFFFE0"}, {"limegreen", "32CD32"},
    {"linen", "FAF0E6"}, {"mediumaquamarine", "66CDAA"}, {"mediumblue", "0000CD"},
    {"mediumorchid", "BA55D3"}, {"mediumpurple", "9370D"}, {"mediumseagreen", "3CB371"},
    {"mediumslateblue", "7B68EE"}, {"mediumspringgreen", "00FA9A"},
    {"mediumturquoise", "48D1CC"}, {"mediumvioletred", "C71585"}, {"midnightblue", "191970"},
    {"mintcream", "F5FFFA"}, {"mistyrose", "FFE4E1"}, {"moccasin", "FFE4B5"},
    {"navajowhite", "FFDEAD"}, {"oldlace", "FDF5E6"}, {"olivedrab", "6B8E23"},
    {"orange", "FFA500"}, {"orangered", "FF4500"}, {"orchid", "DA70D6"},
    {"palegoldenrod", "EEE8AA"}, {"palegreen", "98FB98"}, {"paleturquoise", "AFEEEE"},
    {"palevioletred", "DB7093"}, {"papayawhip", "FFEFD5"}, {"peachpuff", "FFDAB9"},
    {"peru", "CD853F"}, {"pink", "FFC0CB"}, {"plum", "DDA0DD"}, {"powderblue", "B0E0E6"},
    {"rosybrown", "BC8F8F"}, {"royalblue", "4169E1"}, {"saddlebrown", "8B4513"},
    {"salmon", "FA8072"}, {"sandybrown", "F4A460"}, {"seagreen", "2E8B57"},
    {"seashell", "FFF5EE"}, {"sienna", "A0522D"}, {"skyblue", "87CEEB"},
    {"slateblue", "6A5ACD"}, {"slategray", "708090"}, {"snow", "FFFAFA"},
    {"springgreen", "00FF7F"}, {"steelblue", "4682B4"}, {"tan", "D2B48C"},
    {"thistle", "D8BFD8"}, {"tomato", "FF6347"}, {"turquoise", "40E0D0"},
    {"violet", "EE82EE"}, {"wheat", "F5DEB3"}, {"whitesmoke", "F5F5F5"},
    {"yellowgreen", "9ACD32"}};

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

}  // namespace

const std::vector<std::string>& ColourList() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> l;
    for (const auto& c : kBasic) l.push_back(std::string(c.Name) + " = #" + c.Hex + " ");
    for (const auto& c : kNamed) l.push_back(std::string(c.Name) + "  #" + c.Hex + " ");
    l.back().pop_back();  // "yellowgreen #9ACD32" has no trailing blank
    l.emplace_back();
    return l;
  }();
  return list;
}

std::string ColourParameter(const std::string& item) {
  const size_t eq = item.find('=', 1);
  std::string colour;
  if (eq != std::string::npos) {
    colour = Trim(item.substr(0, eq));
  } else {
    const size_t hash = item.find('#');
    colour = hash == std::string::npos ? "" : Trim(item.substr(hash, 20));
  }
  return "\"" + colour + "\"";
}

uint32_t ColourOfItem(const std::string& item) {
  const size_t hash = item.find('#');
  std::string hex = hash == std::string::npos ? "" : item.substr(hash + 1, 6);
  hex.resize(6, '0');
  auto byte = [&](int i) { return static_cast<uint32_t>(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1])); };
  return byte(0) | byte(2) << 8 | byte(4) << 16;
}

}  // namespace lumarte::gallery
