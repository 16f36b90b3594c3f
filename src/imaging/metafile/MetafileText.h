#pragma once
// Character data of metafile records: UTF-16 text, single-byte (Windows-1252)
// text and face names.
#include <cstddef>
#include <cstdint>
#include <string>

namespace lumarte::imaging {

// count UTF-16 units, little-endian.
std::u16string Utf16Text(const uint8_t* p, size_t count);
// Windows-1252 bytes; the undefined codes keep their Latin-1 meaning.
std::u16string AnsiText(const uint8_t* p, size_t count);
std::string Utf8(const std::u16string& s);
// A face name of at most count units, ending at the first NUL.
std::string FaceName16(const uint8_t* p, size_t count);
std::string FaceName8(const uint8_t* p, size_t count);

}  // namespace lumarte::imaging
