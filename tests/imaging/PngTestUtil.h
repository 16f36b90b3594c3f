#pragma once
// Building PNG files by hand (chunks, CRCs and zlib data through zlib), and
// libpng as an independent peer (test builds only).
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
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

struct TRgbImage {
  uint32_t Width = 0, Height = 0;
  std::vector<uint8_t> Rgb;  // 3 bytes per pixel, rows top first
  int ColorType = -1;
};

// libpng reads from memory and reports its errors into the reader.
namespace libpng {

struct TReader {
  const std::string* Data;
  size_t Pos;
  char Error[256];
};

inline void ReadData(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<TReader*>(png_get_io_ptr(png));
  if (r->Pos + n > r->Data->size()) png_error(png, "read past end");
  std::memcpy(out, r->Data->data() + r->Pos, n);
  r->Pos += n;
}

inline void OnError(png_structp png, png_const_charp msg) {
  auto* r = static_cast<TReader*>(png_get_error_ptr(png));
  if (r) std::snprintf(r->Error, sizeof r->Error, "%s", msg);
  png_longjmp(png, 1);
}

inline void OnWarning(png_structp, png_const_charp) {}

}  // namespace libpng

// Decodes to 8-bit RGB: palettes and low-depth grey expanded, 16-bit samples
// cut to their high byte, alpha dropped, no gamma correction. False (with the
// message) when libpng rejects the file.
inline bool LibpngDecode(const std::string& file, TRgbImage& out, std::string* error = nullptr) {
  libpng::TReader reader{&file, 0, {}};
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, libpng::OnError, libpng::OnWarning);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows;
  out = TRgbImage();
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    if (error) *error = reader.Error;
    return false;
  }
  png_set_read_fn(png, &reader, libpng::ReadData);
  png_read_info(png, info);
  out.Width = png_get_image_width(png, info);
  out.Height = png_get_image_height(png, info);
  out.ColorType = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  // Palette images are read as indices and looked up here: libpng's own
  // expansion would add an alpha channel from tRNS.
  const bool paletted = out.ColorType == PNG_COLOR_TYPE_PALETTE;
  if (paletted) png_set_packing(png);
  if (out.ColorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (depth == 16) png_set_strip_16(png);
  if (out.ColorType & PNG_COLOR_MASK_ALPHA) png_set_strip_alpha(png);
  if (!(out.ColorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t channels = paletted ? 1 : 3;
  if (png_get_rowbytes(png, info) != out.Width * channels) png_error(png, "unexpected row size");
  std::vector<uint8_t>& pixels = out.Rgb;
  pixels.resize(size_t{out.Width} * out.Height * 3);
  rows.resize(out.Height);
  for (uint32_t y = 0; y < out.Height; ++y)
    rows[y] = pixels.data() + size_t{y} * out.Width * channels;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  if (paletted) {
    png_colorp plte = nullptr;
    int entries = 0;
    png_get_PLTE(png, info, &plte, &entries);
    for (size_t i = size_t{out.Width} * out.Height; i-- > 0;) {
      uint8_t index = pixels[i];
      uint8_t rgb[3] = {0, 0, 0};  // indices past the palette show black
      if (index < entries)
        rgb[0] = plte[index].red, rgb[1] = plte[index].green, rgb[2] = plte[index].blue;
      std::memcpy(&pixels[3 * i], rgb, 3);
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
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
