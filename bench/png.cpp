// Deflate and PNG beside zlib and libpng on a 12-megapixel photo-like image.
#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/Deflate.h"
#include "imaging/PNGLoader.h"

using namespace lumarte::imaging;

namespace {

constexpr uint32_t kWidth = 4000, kHeight = 3000;

// Smooth shapes and gradients with a little sensor noise, in RGB order.
std::vector<uint8_t> MakePhoto() {
  std::vector<uint8_t> rgb(size_t{kWidth} * kHeight * 3);
  std::vector<double> sx(kWidth), sy(kHeight), cx(kWidth), cy(kHeight);
  for (uint32_t x = 0; x < kWidth; ++x) {
    double f = x / double(kWidth);
    sx[x] = std::sin(f * 7.1);
    cx[x] = std::sin(f * f * 23);
  }
  for (uint32_t y = 0; y < kHeight; ++y) {
    double f = y / double(kHeight);
    sy[y] = std::cos(f * 3.3);
    cy[y] = std::cos(f * 5.3) * std::sin(f * 11.7 + 1);
  }
  uint32_t seed = 12345;
  size_t i = 0;
  for (uint32_t y = 0; y < kHeight; ++y) {
    for (uint32_t x = 0; x < kWidth; ++x) {
      double base = 0.5 + 0.25 * sx[x] * sy[y] + 0.2 * cx[x] * cy[y];
      for (int c = 0; c < 3; ++c) {
        seed = seed * 134775813u + 1;
        int v = static_cast<int>(base * (0.8 + 0.1 * c) * 255) + static_cast<int>(seed >> 29) - 4;
        rgb[i++] = static_cast<uint8_t>(std::clamp(v, 0, 255));
      }
    }
  }
  return rgb;
}

const std::vector<uint8_t>& Photo() {
  static const std::vector<uint8_t> photo = MakePhoto();
  return photo;
}

const TRevedBitmap& PhotoBitmap() {
  static const TRevedBitmap bitmap = [] {
    TRevedBitmap b;
    b.New(kWidth, kHeight, pf24bit);
    const uint8_t* rgb = Photo().data();
    for (int32_t i = 0; i < b.Size; i += 3) {
      b.Map[i] = rgb[i + 2];
      b.Map[i + 1] = rgb[i + 1];
      b.Map[i + 2] = rgb[i];
    }
    return b;
  }();
  return bitmap;
}

void PngWrite(png_structp png, png_bytep data, png_size_t n) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), n);
}
void PngFlush(png_structp) {}

std::string LibpngEncode() {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (uint32_t y = 0; y < kHeight; ++y)
    png_write_row(png, Photo().data() + size_t{y} * kWidth * 3);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

// The photo as libpng writes it at its default level.
const std::string& PhotoPng() {
  static const std::string file = LibpngEncode();
  return file;
}

// Its image data: the zlib stream of the filtered rows, without the zlib
// header and trailer.
const std::string& PhotoDeflate() {
  static const std::string data = [] {
    const std::string& f = PhotoPng();
    std::string z;
    for (size_t p = 8; p + 12 <= f.size();) {
      auto u = [&](size_t i) { return static_cast<uint8_t>(f[i]); };
      uint32_t len = u(p) << 24 | u(p + 1) << 16 | u(p + 2) << 8 | u(p + 3);
      if (f.compare(p + 4, 4, "IDAT") == 0) z.append(f, p + 8, len);
      p += 12 + len;
    }
    return z.substr(2, z.size() - 6);
  }();
  return data;
}

constexpr size_t kFilteredSize = size_t{kHeight} * (kWidth * 3 + 1);

void BM_Inflate(benchmark::State& state, bool ours) {
  const std::string& packed = PhotoDeflate();
  std::vector<uint8_t> out(kFilteredSize);
  for (auto _ : state) {
    if (ours) {
      TMemoryStream in(packed.data(), packed.size());
      in.CanWrite = false;
      TDeflateStream d(&in);
      d.Read(out.data(), out.size());
    } else {
      z_stream z{};
      inflateInit2(&z, -15);
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
      z.avail_in = static_cast<uInt>(packed.size());
      z.next_out = out.data();
      z.avail_out = static_cast<uInt>(out.size());
      if (inflate(&z, Z_FINISH) != Z_STREAM_END) state.SkipWithError("zlib failed");
      inflateEnd(&z);
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFilteredSize));
}
BENCHMARK_CAPTURE(BM_Inflate, lumarte, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Inflate, zlib, false)->Unit(benchmark::kMillisecond);

struct TPngReader {
  const std::string* Data;
  size_t Pos;
};

void PngRead(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<TPngReader*>(png_get_io_ptr(png));
  std::memcpy(out, r->Data->data() + r->Pos, n);
  r->Pos += n;
}

void BM_PngDecode(benchmark::State& state, bool ours) {
  const std::string& file = PhotoPng();
  for (auto _ : state) {
    if (ours) {
      TMemoryStream in(file.data(), file.size());
      TRevedBitmap b;
      TPNGLoader loader;
      loader.LoadFromStream(in, "PNG", b);
      benchmark::DoNotOptimize(b.Map.get());
    } else {
      // A new image each time, as our decoder makes one.
      std::vector<uint8_t> rgb(Photo().size());
      TPngReader reader{&file, 0};
      png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
      png_infop info = png_create_info_struct(png);
      png_set_read_fn(png, &reader, PngRead);
      png_read_info(png, info);
      for (uint32_t y = 0; y < kHeight; ++y)
        png_read_row(png, rgb.data() + size_t{y} * kWidth * 3, nullptr);
      png_read_end(png, nullptr);
      png_destroy_read_struct(&png, &info, nullptr);
      benchmark::DoNotOptimize(rgb.data());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Photo().size()));
}
BENCHMARK_CAPTURE(BM_PngDecode, lumarte, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PngDecode, libpng, false)->Unit(benchmark::kMillisecond);

void BM_PngEncode(benchmark::State& state, bool ours) {
  size_t fileSize = 0;
  for (auto _ : state) {
    if (ours) {
      TMemoryStream out;
      SavePNG(out, PhotoBitmap(), {});
      fileSize = out.Data.size();
    } else {
      fileSize = LibpngEncode().size();
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Photo().size()));
  state.counters["file_bytes"] = static_cast<double>(fileSize);
}
BENCHMARK_CAPTURE(BM_PngEncode, lumarte, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PngEncode, libpng, false)->Unit(benchmark::kMillisecond);

}  // namespace
