#pragma once
// Building PNG files by hand (chunks, CRCs and zlib data through zlib) and
// looking at our pixel buffers as RGB.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/PNGLoader.h"

namespace lumarte::imaging::test {

struct TChunk {
  std::string Type, Data;
};

inline std::string BE32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

inline std::string ChunkBytes(const TChunk& c) {
  std::string td = c.Type + c.Data;
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(td.data()), static_cast<uInt>(td.size()));
  return BE32(static_cast<uint32_t>(c.Data.size())) + td + BE32(static_cast<uint32_t>(crc));
}

inline std::string BuildPng(const std::vector<TChunk>& chunks) {
  std::string s("\x89PNG\r\n\x1a\n", 8);
  for (const auto& c : chunks) s += ChunkBytes(c);
  return s;
}

inline TChunk Ihdr(uint32_t w, uint32_t h, int depth, int colorType, int interlace = 0) {
  std::string d = BE32(w) + BE32(h);
  d += {static_cast<char>(depth), static_cast<char>(colorType), 0, 0, static_cast<char>(interlace)};
  return {"IHDR", d};
}

inline std::string ZlibCompress(const std::string& raw, int level = 6) {
  uLongf n = compressBound(static_cast<uLong>(raw.size()));
  std::string out(n, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(raw.data()),
            static_cast<uLong>(raw.size()), level);
  out.resize(n);
  return out;
}

// The zlib data cut into IDAT chunks of `piece` bytes.
inline std::vector<TChunk> Idat(const std::string& z, size_t piece = 0) {
  if (!piece) return {{"IDAT", z}};
  std::vector<TChunk> out;
  for (size_t p = 0; p < z.size(); p += piece) out.push_back({"IDAT", z.substr(p, piece)});
  return out;
}

// A complete PNG from raw rows (each with its filter byte).
inline std::string SimplePng(TChunk ihdr, const std::string& rawRows,
                             std::vector<TChunk> before = {}, size_t piece = 0) {
  std::vector<TChunk> c = {ihdr};
  c.insert(c.end(), before.begin(), before.end());
  for (auto& i : Idat(ZlibCompress(rawRows), piece)) c.push_back(i);
  c.push_back({"IEND", ""});
  return BuildPng(c);
}

// Our pixel buffer as RGB bytes (palette looked up).
inline std::vector<uint8_t> ToRgb(const TRevedBitmap& b) {
  std::vector<uint8_t> out;
  for (int32_t y = 0; y < b.Height; ++y) {
    const uint8_t* row = b.ScanLine(y);
    for (int32_t x = 0; x < b.Width; ++x) {
      const uint8_t* p = b.PixelFormat == pf24bit ? row + 3 * x : b.Palette->data() + 3 * row[x];
      out.insert(out.end(), {p[2], p[1], p[0]});
    }
  }
  return out;
}

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
