#pragma once
// Building PNG files by hand (chunks, CRCs and zlib data through zlib).
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CodecTestUtil.h"
#include "imaging/PNGLoader.h"

namespace lumarte::imaging::test {

struct TChunk {
  std::string Type, Data;
};

inline std::string Bytes(std::initializer_list<int> v) {
  std::string s;
  for (int b : v) s += static_cast<char>(b);
  return s;
}

inline std::string BE32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

inline std::string BuildPng(const std::vector<TChunk>& chunks) {
  std::string s("\x89PNG\r\n\x1a\n", 8);
  for (const auto& c : chunks) {
    std::string td = c.Type + c.Data;
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(td.data()), static_cast<uInt>(td.size()));
    s += BE32(static_cast<uint32_t>(c.Data.size())) + td + BE32(static_cast<uint32_t>(crc));
  }
  return s;
}

inline TChunk Ihdr(uint32_t w, uint32_t h, int depth, int colorType, int interlace = 0) {
  std::string d = BE32(w) + BE32(h);
  d += {static_cast<char>(depth), static_cast<char>(colorType), 0, 0, static_cast<char>(interlace)};
  return {"IHDR", d};
}

// zlib-wrapped data, as PNG files hold it.
inline std::string ZlibCompress(const std::string& raw, int level = 6) {
  std::string out(compressBound(raw.size()), '\0');
  uLongf n = out.size();
  compress2(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(raw.data()),
            raw.size(), level);
  out.resize(n);
  return out;
}

// The zlib data cut into IDAT chunks of `piece` bytes.
inline std::vector<TChunk> Idat(const std::string& z, size_t piece) {
  std::vector<TChunk> out;
  for (size_t p = 0; p < z.size(); p += piece) out.push_back({"IDAT", z.substr(p, piece)});
  return out;
}

// A complete PNG from raw rows (each with its filter byte).
inline std::string SimplePng(TChunk ihdr, const std::string& rawRows,
                             std::vector<TChunk> before = {}) {
  std::vector<TChunk> c = {ihdr};
  c.insert(c.end(), before.begin(), before.end());
  c.push_back({"IDAT", ZlibCompress(rawRows)});
  c.push_back({"IEND", ""});
  return BuildPng(c);
}

using lumarte::testing::ToRgb;

inline TRevedBitmap LoadPngBytes(const std::string& file, TPNGLoader* loader = nullptr) {
  TPNGLoader local;
  TMemoryStream in(file.data(), file.size());
  TRevedBitmap b;
  (loader ? *loader : local).LoadFromStream(in, "png", b);
  return b;
}

inline std::string SavePngBytes(const TRevedBitmap& b, const TPNGSaveOptions& o = {}) {
  TMemoryStream out;
  SavePNG(out, b, o);
  return out.Data;
}

// The chunks of a PNG file (no checks).
inline std::vector<TChunk> ChunksOf(const std::string& png) {
  std::vector<TChunk> out;
  for (size_t p = 8; p + 12 <= png.size();) {
    auto u = [&](size_t i) { return static_cast<uint8_t>(png[i]); };
    uint32_t len = u(p) << 24 | u(p + 1) << 16 | u(p + 2) << 8 | u(p + 3);
    out.push_back({png.substr(p + 4, 4), png.substr(p + 8, len)});
    p += 12 + len;
  }
  return out;
}

}  // namespace lumarte::imaging::test
