// A codec plug-in for tests: its answers are chosen by the Options text.
//   load: "code=N" returns N; otherwise an image "w=W h=H format=F" (default
//         4 x 3, format 3) with a known pattern, "palette" adds a palette,
//         "nodata" leaves the data address null.
//   save: "savecode=N" returns N; otherwise the file receives a text line
//         "W H LineWidth Format HasPalette Options", the pixels and the palette.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "imaging/ImageContainer.h"

namespace {

int frees = 0;

int Option(const char* options, const char* key, int fallback) {
  std::string text = options ? options : "";
  size_t p = text.find(std::string(key) + "=");
  return p == std::string::npos ? fallback : std::atoi(text.c_str() + p + std::strlen(key) + 1);
}

bool Flag(const char* options, const char* key) {
  return options && std::strstr(options, key) != nullptr;
}

// Bytes of pixel data for a format: one byte per sample, no padding.
size_t DataBytes(int width, int height, int format) {
  int planes = format & 0x0F;
  int bytesPerPixel = planes == 1 ? 1 : (format & 0xF0) ? planes : 3;
  return size_t(width) * height * bytesPerPixel;
}

}  // namespace

extern "C" int TestCodecFreeCount() {
  return frees;
}

int LibLoadImage(char*, char*, TImageContainer* c) {
  int code = Option(c->Options, "code", 0);
  if (code) return code;
  c->Width = Option(c->Options, "w", 4);
  c->Height = Option(c->Options, "h", 3);
  c->Format = Option(c->Options, "format", 3);
  size_t bytes = DataBytes(c->Width > 0 ? c->Width : 0, c->Height > 0 ? c->Height : 0, c->Format);
  c->Data = nullptr;
  if (!Flag(c->Options, "nodata")) {
    c->Data = static_cast<uint8_t*>(std::malloc(bytes + 1));
    for (size_t i = 0; i < bytes; ++i) c->Data[i] = static_cast<uint8_t>(i * 7 + 1);
  }
  c->Palette = nullptr;
  if (Flag(c->Options, "palette")) {
    c->Palette = static_cast<uint8_t*>(std::malloc(768));
    for (int i = 0; i < 768; ++i) c->Palette[i] = static_cast<uint8_t>(255 - i % 256);
  }
  return 0;
}

#ifndef TEST_CODEC_LOAD_ONLY
int LibSaveImage(char* fileName, char*, TImageContainer* c) {
  int code = Option(c->Options, "savecode", 0);
  if (code) return code;
  std::FILE* f = std::fopen(fileName, "wb");
  if (!f) return 2;
  std::fprintf(f, "%d %d %d %d %d %s\n", c->Width, c->Height, c->LineWidth, c->Format,
               c->Palette ? 1 : 0, c->Options);
  std::fwrite(c->Data, 1, DataBytes(c->Width, c->Height, c->Format), f);
  if (c->Palette) std::fwrite(c->Palette, 1, 768, f);
  return std::fclose(f) == 0 ? 0 : 5;
}

int LibFreeImage(TImageContainer* c) {
  ++frees;
  std::free(c->Data);
  std::free(c->Palette);
  c->Data = c->Palette = nullptr;
  return 0;
}
#endif

#ifndef TEST_CODEC_NO_LOAD_FILTER
char* LibGetLoadFilter() {
  static char filter[] = "Test images (*.tst;*.tsx)|*.tst;*.tsx";
  return filter;
}
#endif

char* LibGetSaveFilter() {
#ifdef TEST_CODEC_NO_LOAD_FILTER
  static char filter[] = "Other images (*.oth)|*.oth";
#else
  static char filter[] = "Test image (*.tst)|*.tst";
#endif
  return filter;
}
