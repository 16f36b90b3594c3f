#include "imaging/metafile/MetafileText.h"

#include "imaging/metafile/MetafileBytes.h"

namespace lumarte::imaging {

namespace {

// Windows-1252 0x80..0x9F; zeros are unassigned codes.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::u16string Utf16Text(const uint8_t* p, size_t count) {
  std::u16string s(count, u'\0');
  for (size_t i = 0; i < count; ++i) s[i] = static_cast<char16_t>(GetU16(p + 2 * i));
  return s;
}

std::u16string AnsiText(const uint8_t* p, size_t count) {
  std::u16string s(count, u'\0');
  for (size_t i = 0; i < count; ++i) {
    uint8_t c = p[i];
    char16_t mapped = c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : 0;
    s[i] = mapped ? mapped : c;
  }
  return s;
}

std::string Utf8(const std::u16string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
    else if (c >= 0xD800 && c < 0xE000)
      c = 0xFFFD;  // a lone surrogate
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string FaceName16(const uint8_t* p, size_t count) {
  size_t n = 0;
  while (n < count && GetU16(p + 2 * n)) ++n;
  return Utf8(Utf16Text(p, n));
}

std::string FaceName8(const uint8_t* p, size_t count) {
  size_t n = 0;
  while (n < count && p[n]) ++n;
  return Utf8(AnsiText(p, n));
}

}  // namespace lumarte::imaging
