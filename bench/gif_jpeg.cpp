// GIF decoding beside giflib, JPEG decoding and encoding beside libjpeg-turbo
// called directly, on 12-megapixel pictures.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

// jpeglib.h needs FILE declared first.
#include <jpeglib.h>

#include "imaging/GIFLoader.h"
#include "imaging/JPEGCodec.h"
#include "imaging/JPEGImage.h"
#include "imaging/JPEGLoader.h"

using namespace lumarte::imaging;

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

// Photo-like content: smooth shading, edges and fine texture.
uint8_t Shade(int x, int y, int channel) {
  double v = 128 + 60 * std::sin(x / (37.0 + 11 * channel)) * std::cos(y / 53.0) +
             40 * std::sin((x + 2 * y) / 211.0) + ((x * 7 + y * 13 + channel * 5) % 17) - 8;
  if ((x / 400 + y / 300) % 5 == channel) v += 50;
  return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
}

const TRevedBitmap& Photo() {
  static const TRevedBitmap photo = [] {
    TRevedBitmap b;
    b.New(kWidth, kHeight, pf24bit);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        for (int c = 0; c < 3; ++c) b.ScanLine(y)[3 * x + c] = Shade(x, y, c);
    return b;
  }();
  return photo;
}

// The photo in 256 colours: 6 x 7 x 6 levels plus a few greys.
const std::string& GifFile() {
  static const std::string file = [] {
    TRevedBitmap b;
    b.New(kWidth, kHeight, pf8bit);
    for (int i = 0; i < 256; ++i) {
      int r = i % 6, g = i / 6 % 7, bl = i / 42 % 6;
      (*b.Palette)[3 * i] = static_cast<uint8_t>(bl * 51);
      (*b.Palette)[3 * i + 1] = static_cast<uint8_t>(g * 42);
      (*b.Palette)[3 * i + 2] = static_cast<uint8_t>(r * 51);
    }
    const TRevedBitmap& photo = Photo();
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const uint8_t* p = photo.ScanLine(y) + 3 * x;
        b.ScanLine(y)[x] = static_cast<uint8_t>(
            std::min(255, p[2] * 6 / 256 + p[1] * 7 / 256 * 6 + p[0] * 6 / 256 * 42));
      }
    TMemoryStream out;
    TGIFWriterFrame f;
    f.Bitmap = &b;
    WriteGIF(out, {f}, {});
    return out.Data;
  }();
  return file;
}

struct TGifReader {
  const std::string* Data;
  size_t Pos = 0;
};

int ReadGif(GifFileType* gif, GifByteType* buf, int n) {
  auto* r = static_cast<TGifReader*>(gif->UserData);
  size_t k = std::min(static_cast<size_t>(n), r->Data->size() - r->Pos);
  std::memcpy(buf, r->Data->data() + r->Pos, k);
  r->Pos += k;
  return static_cast<int>(k);
}

void BM_GifDecode_lumarte(benchmark::State& state) {
  const std::string& file = GifFile();
  for (auto _ : state) {
    TMemoryStream in(file.data(), file.size());
    TRevedBitmap picture;
    GifLoader().LoadFromStream(in, "gif", picture);
    benchmark::DoNotOptimize(picture.Map.get());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_GifDecode_giflib(benchmark::State& state) {
  const std::string& file = GifFile();
  for (auto _ : state) {
    TGifReader reader{&file};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadGif, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) state.SkipWithError("giflib failed");
    benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
    DGifCloseFile(gif, &error);
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

const std::string& JpegFile() {
  static const std::string file = [] {
    std::string out;
    EncodeJPEG(Photo(), {75, false, false}, out);
    return out;
  }();
  return file;
}

void BM_JpegDecode_lumarte(benchmark::State& state) {
  const std::string& file = JpegFile();
  for (auto _ : state) {
    TMemoryStream in(file.data(), file.size());
    TRevedBitmap picture;
    JPEGLoader().LoadFromStream(in, "jpg", picture);
    benchmark::DoNotOptimize(picture.Map.get());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_JpegDecode_libjpeg(benchmark::State& state) {
  const std::string& file = JpegFile();
  for (auto _ : state) {
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(file.data()), file.size());
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&d);
    size_t stride = static_cast<size_t>(d.output_width) * 3;
    std::unique_ptr<uint8_t[]> pixels(new uint8_t[stride * d.output_height]);
    while (d.output_scanline < d.output_height) {
      JSAMPROW rows[16];
      JDIMENSION n = std::min<JDIMENSION>(16, d.output_height - d.output_scanline);
      for (JDIMENSION i = 0; i < n; ++i) rows[i] = pixels.get() + (d.output_scanline + i) * stride;
      jpeg_read_scanlines(&d, rows, n);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    benchmark::DoNotOptimize(pixels.get());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_JpegEncode_lumarte(benchmark::State& state) {
  TJPEGImage jpg;
  jpg.Assign(Photo());
  jpg.CompressionQuality = 75;
  for (auto _ : state) {
    TMemoryStream out;
    jpg.Compress();
    jpg.SaveToStream(out);
    benchmark::DoNotOptimize(out.Data.data());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_JpegEncode_libjpeg(benchmark::State& state) {
  const TRevedBitmap& photo = Photo();
  for (auto _ : state) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &mem, &size);
    c.image_width = kWidth;
    c.image_height = kHeight;
    c.input_components = 3;
    c.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 75, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
      JSAMPROW row = const_cast<uint8_t*>(photo.ScanLine(static_cast<int32_t>(c.next_scanline)));
      jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    benchmark::DoNotOptimize(mem);
    free(mem);
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

}  // namespace

BENCHMARK(BM_GifDecode_lumarte)->Name("BM_GifDecode/lumarte")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifDecode_giflib)->Name("BM_GifDecode/giflib")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegDecode_lumarte)->Name("BM_JpegDecode/lumarte")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegDecode_libjpeg)->Name("BM_JpegDecode/libjpeg")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegEncode_lumarte)->Name("BM_JpegEncode/lumarte")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegEncode_libjpeg)->Name("BM_JpegEncode/libjpeg")->Unit(benchmark::kMillisecond);
