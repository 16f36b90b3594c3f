#include "LibpngPeer.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace lumarte::imaging::test {

namespace {

struct TReader {
  const std::string* Data;
  size_t Pos;
  char Error[256];
};

void ReadData(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<TReader*>(png_get_io_ptr(png));
  if (r->Pos + n > r->Data->size()) png_error(png, "read past end");
  std::memcpy(out, r->Data->data() + r->Pos, n);
  r->Pos += n;
}

void OnError(png_structp png, png_const_charp msg) {
  auto* r = static_cast<TReader*>(png_get_error_ptr(png));
  if (r) std::snprintf(r->Error, sizeof r->Error, "%s", msg);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

}  // namespace

bool LibpngDecode(const std::string& file, TRgbImage& out, std::string* error) {
  TReader reader{&file, 0, {}};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, OnError, OnWarning);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows;
  out = TRgbImage();
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    if (error) *error = reader.Error;
    return false;
  }
  png_set_read_fn(png, &reader, ReadData);
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

}  // namespace lumarte::imaging::test
