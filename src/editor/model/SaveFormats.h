#pragma once
// Images as pixel buffers, read and written by extension with the options of
// the save dialogs, for work without a window (lumarte-cli). Formats with
// options of their own have a row in the save table (SaveFormats.cpp): an
// extension, the options it honours and its save function. Every other
// extension is saved through the codec registry. Loading and saving are safe
// on several threads at once.
#include <cstdint>
#include <string>

#include "imaging/JPEG2000Options.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::editor {

// The save dialogs' choices; a format uses the ones it has.
struct TSaveOptions {
  int Quality = -1;                          // JPEG 1..100; -1: the codec's default (90)
  bool Progressive = false;                  // JPEG
  int Bits = 0;                              // BMP 1, 4, 8 or 24, PCX 8 or 24; 0: the image's own
  bool Transparent = false;                  // PNG tRNS, GIF transparent index
  uint32_t TransparentColor = 0;             // that colour as 0x00BBGGRR
  bool Lossy = false;                        // JPEG 2000; lossless unless a rate is chosen
  int Rate = imaging::kJpeg2000DefaultRate;  // tenths of a percent, 0..99
};

// Option bits of a save format; each depth of Bits is offered on its own.
enum : unsigned {
  optQuality = 1,
  optProgressive = 2,
  optTransparent = 4,
  optBits1 = 8,
  optBits4 = 16,
  optBits8 = 32,
  optBits24 = 64,
  optRate = 128,
  optLossless = 256,
  optLast = optLossless,
};
inline constexpr unsigned optAnyBits = optBits1 | optBits4 | optBits8 | optBits24;

// fileName is the file to write (a temporary name beside the target); ext is
// the target's extension, without the dot.
using TSaveFunction = void (*)(const std::string& fileName, const std::string& ext,
                               const imaging::TRevedBitmap& image, const TSaveOptions& options);

struct TSaveFormat {
  const char* Ext;  // lower case, without the dot; "" for the registry
  unsigned Options;
  TSaveFunction Save;
};

// The row for an extension (any case); the registry's row when none matches.
const TSaveFormat& FindSaveFormat(const std::string& ext);
// The option bit that stands for a Bits value (0 for values never offered).
unsigned BitsOption(int bits);

// Loads an image by its extension: PPM and PGM, PNG, icons (their first
// image) and everything else through the codec registry.
void LoadImageBuffer(const std::string& fileName, imaging::TRevedBitmap& image);
// Writes target in the format of its extension; an existing target is
// replaced only once the whole file has been written.
void SaveImageBuffer(const std::string& target, const imaging::TRevedBitmap& image,
                     const TSaveOptions& options);

}  // namespace lumarte::editor
