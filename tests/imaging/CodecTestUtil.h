#pragma once
// Helpers shared by the codec tests: files in memory, pictures and their
// colours (0x00BBGGRR: red in the low byte, as the buffers' users see it).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/IconList.h"
#include "imaging/ImageDLLLoader.h"
#include "imaging/RevedBitmap.h"
#include "support/ErrorMessage.h"
#include "support/MetafileBuilder.h"
#include "support/TempFolder.h"

namespace lumarte::testing {

// A damaged input and the message it must raise; Name names the case.
struct TBadInput {
  const char* Name;
  std::string Data;
  const char* Message;
};

inline std::string SaveList(imaging::TIconList& list) {
  imaging::TMemoryStream out;
  list.SaveToStream(out);
  return out.Data;
}

inline void LoadList(imaging::TIconList& list, const std::string& bytes) {
  imaging::TMemoryStream in(bytes.data(), bytes.size());
  list.LoadFromStream(in);
}

// Files in memory through the codec registry, as files of extension ext.
inline imaging::TRevedBitmap LoadBytes(const std::string& bytes, const std::string& ext) {
  imaging::TMemoryStream in(bytes.data(), bytes.size());
  imaging::TRevedBitmap b;
  b.LoadFromStream(in, ext);
  return b;
}

inline std::string SaveBytes(imaging::TRevedBitmap& b, const std::string& ext) {
  imaging::TMemoryStream out;
  b.SaveToStream(out, ext);
  return out.Data;
}

// The message of a load that fails; the buffer it fails in is left empty.
inline std::string LoadFailure(const std::string& bytes, const std::string& ext) {
  imaging::TMemoryStream in(bytes.data(), bytes.size());
  imaging::TRevedBitmap b;
  b.New(2, 2, imaging::pf24bit);
  std::string message = Message([&] { b.LoadFromStream(in, ext); });
  EXPECT_FALSE(b.Present) << message;
  return message;
}

// The bytes with the 32-bit little-endian field at `at` set to value.
inline std::string Patched(std::string b, size_t at, uint32_t value) {
  std::string v;
  PutLE(v, value, 4);
  return b.replace(at, 4, v);
}

inline uint16_t Word(const std::string& b, size_t at) {
  return static_cast<uint16_t>(uint8_t(b.at(at)) | uint8_t(b.at(at + 1)) << 8);
}

inline std::string ReadFileBytes(const std::string& path) {
  return fixtures::TempFolder::Read(path);
}

// The colour of pixel (x, y), looked up in the palette of an 8-bit buffer.
inline uint32_t PixelOf(const imaging::TRevedBitmap& b, int x, int y) {
  const uint8_t* p = b.PixelFormat == imaging::pf24bit ? b.ScanLine(y) + 3 * x
                                                       : b.Palette->data() + 3 * b.ScanLine(y)[x];
  return p[2] | p[1] << 8 | uint32_t{p[0]} << 16;
}

// The buffer as red, green, blue bytes, rows top first (palette looked up).
inline std::vector<uint8_t> ToRgb(const imaging::TRevedBitmap& b) {
  std::vector<uint8_t> out;
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x) {
      uint32_t c = PixelOf(b, x, y);
      out.insert(out.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
    }
  return out;
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

// A 24-bit picture whose pixel (x, y) has the colour color(x, y).
template <class F>
imaging::TRevedBitmap Picture24(int w, int h, F color) {
  imaging::TRevedBitmap b;
  b.New(w, h, imaging::pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixel(b, x, y, color(x, y));
  return b;
}

// Reproducible noise, with a noise palette and indices below colors for 8 bits.
inline imaging::TRevedBitmap NoisePicture(int w, int h, imaging::TPixelFormat f, uint32_t seed,
                                          int colors = 256) {
  imaging::TRevedBitmap b;
  b.New(w, h, f);
  auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int32_t i = 0; i < b.Size; ++i)
    b.Map[i] = uint8_t(f == imaging::pf8bit ? next() % colors : next());
  if (f == imaging::pf8bit)
    for (auto& v : *b.Palette) v = uint8_t(next());
  return b;
}

// The registered library codec scans the build folder once, as the programs
// scan theirs at start.
inline bool PluginsScanned() {
  static const bool scanned = imaging::ImageDLLLoader().ScanFolder(LUMARTE_BINARY_DIR);
  return scanned;
}

}  // namespace lumarte::testing
