#include "platform/freetype/FontMatch.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "imaging/Errors.h"

namespace lumarte::platform {

namespace {

using TPattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

TPattern Request(const std::string* family, bool bold, bool italic) {
  TPattern p(FcPatternCreate(), FcPatternDestroy);
  if (family)
    FcPatternAddString(p.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family->c_str()));
  FcPatternAddInteger(p.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(p.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, p.get(), FcMatchPattern);
  FcDefaultSubstitute(p.get());
  return p;
}

std::vector<std::string> Strings(FcPattern* p, const char* object) {
  std::vector<std::string> out;
  FcChar8* s = nullptr;
  for (int i = 0; FcPatternGetString(p, object, i, &s) == FcResultMatch; ++i)
    out.emplace_back(reinterpret_cast<const char*>(s));
  return out;
}

// The families the system puts in for this name, without the fallback list
// every name gets at its end (a pattern with no family gets only that list).
std::vector<std::string> OwnFamilies(const std::string& family, bool bold, bool italic) {
  std::vector<std::string> own = Strings(Request(&family, bold, italic).get(), FC_FAMILY);
  const std::vector<std::string> fallback =
      Strings(Request(nullptr, bold, italic).get(), FC_FAMILY);
  auto o = own.rbegin();
  for (auto f = fallback.rbegin(); f != fallback.rend() && o != own.rend() && *o == *f; ++f) ++o;
  own.resize(own.size() - static_cast<size_t>(o - own.rbegin()));
  return own;
}

bool SameName(const std::string& a, const std::string& b) {
  return FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(a.c_str()),
                            reinterpret_cast<const FcChar8*>(b.c_str())) == 0;
}

int Integer(FcPattern* p, const char* object, int otherwise) {
  int v = otherwise;
  FcPatternGetInteger(p, object, 0, &v);
  return v;
}

bool Bool(FcPattern* p, const char* object, bool otherwise) {
  FcBool v = otherwise;
  FcPatternGetBool(p, object, 0, &v);
  return v;
}

}  // namespace

TFontFace MatchFont(const std::string& family, bool bold, bool italic) {
  if (!FcInit()) throw ELumarteError("The font configuration cannot be read");
  TPattern request = Request(&family, bold, italic);
  FcResult result;
  TPattern match(FcFontMatch(nullptr, request.get(), &result), FcPatternDestroy);
  const std::vector<std::string> files =
      match ? Strings(match.get(), FC_FILE) : std::vector<std::string>{};
  const std::vector<std::string> own = OwnFamilies(family, bold, italic);
  bool known = own.empty();  // a generic name ("sans-serif") is the fallback itself
  for (const auto& name : match ? Strings(match.get(), FC_FAMILY) : std::vector<std::string>{})
    for (const auto& wanted : own) known = known || SameName(name, wanted);
  if (files.empty() || !known)
    throw ELumarteError("No font \"" + family + "\" is installed (fc-list : family names them)");
  TFontFace face;
  face.File = files[0];
  face.Index = Integer(match.get(), FC_INDEX, 0);
  face.Embolden = bold && Integer(match.get(), FC_WEIGHT, FC_WEIGHT_REGULAR) < FC_WEIGHT_DEMIBOLD;
  face.Oblique = italic && Integer(match.get(), FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
  face.Antialias = Bool(match.get(), FC_ANTIALIAS, true);
  const int style = Integer(match.get(), FC_HINT_STYLE, FC_HINT_SLIGHT);
  face.Hinting = !Bool(match.get(), FC_HINTING, true) ? THintStyle::None
                                                      : static_cast<THintStyle>(std::min(style, 3));
  return face;
}

}  // namespace lumarte::platform
