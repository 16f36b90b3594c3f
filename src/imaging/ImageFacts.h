#pragma once
// What a file says about its picture without decoding the pixels: the format,
// the depth and colour table as stored, the frames of a GIF and the images
// of an icon file (for lumarte-cli info).
#include <cstdint>
#include <string>
#include <vector>

namespace lumarte::imaging {

struct TIconEntry {
  int Width = 0, Height = 0, Bits = 0;
};

struct TImageFacts {
  std::string Format;             // "BMP", "PNG", "JPEG 2000", ...; the extension when unknown
  int Bits = 0;                   // bits per pixel as stored; 0 when the header does not say
  int PaletteSize = 0;            // entries of the stored colour table; 0 for none
  int Frames = 0;                 // GIF: number of frames; 0 for other formats
  std::vector<TIconEntry> Icons;  // ICO and CUR: every image of the file
};

// Reads the headers of data (a whole file, ext its extension without the dot).
// Header fields that are missing or broken are left at 0; a GIF or icon file
// whose structure does not parse raises its reader's error.
TImageFacts ReadImageFacts(const std::string& ext, const uint8_t* data, size_t size);

}  // namespace lumarte::imaging
