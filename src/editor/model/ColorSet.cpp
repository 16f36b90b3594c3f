#include "editor/model/ColorSet.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <utility>
#include <vector>

#include "imaging/Errors.h"

namespace lumarte::editor {

TColor TColorEntry::Color() const {
  auto c = [](int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
  return RGBColor(c(R), c(G), c(B));
}

TColorEntry& TColorSet::Member(TColorMember m) {
  return const_cast<TColorEntry&>(std::as_const(*this).Member(m));
}

const TColorEntry& TColorSet::Member(TColorMember m) const {
  switch (m) {
    case TColorMember::FG:
      return FG;
    case TColorMember::BG:
      return BG;
    case TColorMember::TCI:
      return TCI;
    default:
      return Color(static_cast<int>(m) - static_cast<int>(TColorMember::Color1) + 1);
  }
}

bool TColorSet::InTCI(int r, int g, int b) const {
  auto sq = [](int64_t d) { return d * d; };
  return sq(r - int64_t{TCI.R}) + sq(g - int64_t{TCI.G}) + sq(b - int64_t{TCI.B}) <= sq(TCIWidth);
}

void TColorSet::SwapColours(TColorMember a, TColorMember b) {
  auto read = [&](TColorMember m) {
    TColorEntry e = Member(m);
    if (m == TColorMember::TCI) e = {std::max(e.B, 0), std::max(e.G, 0), std::max(e.R, 0)};
    return e;
  };
  TColorEntry va = read(a), vb = read(b);
  Member(a) = vb;
  Member(b) = va;
}

TColorEntry ParseStatusColour(const std::string& panelText) {
  std::vector<std::string> parts;
  std::istringstream in(panelText.size() > 5 ? panelText.substr(5) : std::string());
  for (std::string p; in >> p;) parts.push_back(p);
  static const char* const kNames[3] = {"Red", "Green", "Blue"};
  int32_t v[3];
  for (int i = 0; i < 3; ++i) {
    const std::string p = i < static_cast<int>(parts.size()) ? parts[i] : std::string();
    auto [end, ec] = std::from_chars(p.data(), p.data() + p.size(), v[i]);
    if (p.empty() || ec != std::errc() || end != p.data() + p.size())
      throw ELumarteError(std::string("Scanning the Color for ") + kNames[i] + " Failed");
  }
  return TColorEntry::FromRGB(v[0], v[1], v[2]);
}

}  // namespace lumarte::editor
