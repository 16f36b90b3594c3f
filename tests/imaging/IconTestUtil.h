#pragma once
// Helpers shared by the codec tests: files in memory and small buffers.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "imaging/IconList.h"
#include "imaging/ImageDLLLoader.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::testing {

inline std::string SaveList(imaging::TIconList& list) {
  imaging::TMemoryStream out;
  list.SaveToStream(out);
  return out.Data;
}

inline void LoadList(imaging::TIconList& list, const std::string& bytes) {
  imaging::TMemoryStream in(bytes.data(), bytes.size());
  list.LoadFromStream(in);
}

inline uint16_t Word(const std::string& b, size_t at) {
  return static_cast<uint16_t>(uint8_t(b.at(at)) | uint8_t(b.at(at + 1)) << 8);
}

inline uint32_t DWord(const std::string& b, size_t at) {
  return Word(b, at) | uint32_t{Word(b, at + 2)} << 16;
}

inline void PutDWord(std::string& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<char>(v >> (8 * i));
}

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Blue, green, red of pixel (x, y) of a 24-bit buffer as 0x00BBGGRR.
inline uint32_t PixelOf(const imaging::TRevedBitmap& b, int x, int y) {
  const uint8_t* p = b.ScanLine(y) + 3 * x;
  return p[2] | p[1] << 8 | uint32_t{p[0]} << 16;
}

inline void SetPixel(imaging::TRevedBitmap& b, int x, int y, uint32_t color) {
  uint8_t* p = b.ScanLine(y) + 3 * x;
  p[0] = uint8_t(color >> 16);
  p[1] = uint8_t(color >> 8);
  p[2] = uint8_t(color);
}

inline void SetPaletteEntry(imaging::TRevedBitmap& b, int index, uint32_t color) {
  uint8_t* p = b.Palette->data() + 3 * index;
  p[0] = uint8_t(color >> 16);
  p[1] = uint8_t(color >> 8);
  p[2] = uint8_t(color);
}

// The registered library codec scans the build folder once, as the programs
// scan theirs at start.
inline bool PluginsScanned() {
  static const bool scanned = imaging::ImageDLLLoader().ScanFolder(LUMARTE_BINARY_DIR);
  return scanned;
}

}  // namespace lumarte::testing
