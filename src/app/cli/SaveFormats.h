#pragma once
// How lumarte-cli reads and writes images by extension. Formats with options
// of their own add a row to the save table (SaveFormats.cpp): an extension,
// the options it honours and its save function. Every other extension is
// saved through the codec registry.
#include <cstdint>
#include <string>

#include "imaging/RevedBitmap.h"

namespace lumarte::cli {

// The options of `convert`; a format uses the ones it has.
struct TSaveOptions {
  int Quality = -1;               // --quality 1..100; -1 when not given
  bool Progressive = false;       // --progressive
  int Bits = 0;                   // --bits 1, 4, 8 or 24; 0 when not given
  bool Transparent = false;       // --transparent given
  uint32_t TransparentColor = 0;  // its colour as 0x00BBGGRR
};

// Option bits of a save format; each depth of --bits is offered on its own.
enum : unsigned {
  optQuality = 1,
  optProgressive = 2,
  optTransparent = 4,
  optBits1 = 8,
  optBits4 = 16,
  optBits8 = 32,
  optBits24 = 64,
};

// fileName is the file to write (a temporary name beside the target); ext is
// the target's extension, without the dot.
using TSaveFunction = void (*)(const std::string& fileName, const std::string& ext,
                               imaging::TRevedBitmap& image, const TSaveOptions& options);

struct TSaveFormat {
  const char* Ext;  // lower case, without the dot; "" for the registry
  unsigned Options;
  TSaveFunction Save;
};

// The row for an extension (any case); the registry's row when none matches.
const TSaveFormat& FindSaveFormat(const std::string& ext);
// The option bit that stands for a --bits value (0 for values never offered).
unsigned BitsOption(int bits);

// Loads an image by its extension: PPM and PGM here, everything else through
// the codec registry.
void LoadImage(const std::string& fileName, imaging::TRevedBitmap& image);

}  // namespace lumarte::cli
