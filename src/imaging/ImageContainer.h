#pragma once
// The contract between the codec library and an external codec library (a
// shared object in the program folder). Plug-ins are built on their own and
// share nothing with the program but this record, the five functions below and
// their result codes.
#include <stdint.h>

// The record exchanged with a plug-in. Pixel data uses the pixel buffer's
// layout: rows top first without padding, 3-byte pixels blue, green, red;
// separate planes are Width * Height bytes each, one after another. On x86-64
// the three addresses are 8 bytes wide: Width 0, Height 4, LineWidth 8,
// Format 12, Data 16, Palette 24, Options 32.
struct TImageContainer {
  int32_t Width;
  int32_t Height;
  int32_t LineWidth;  // on save: the buffer's width; not read on load
  // Low 4 bits: number of colour planes; bits 4-7: 0 interleaved samples,
  // 1 separate planes. On save: 1 (8-bit indices with palette) or 3 (24 bits).
  int32_t Format;
  uint8_t* Data;
  uint8_t* Palette;  // 768 bytes of (blue, green, red), or null
  char* Options;     // zero-terminated, never null
};

#ifdef __cplusplus
#include <cstddef>
static_assert(offsetof(TImageContainer, Format) == 12);
static_assert(offsetof(TImageContainer, Data) == 16);

// Format values and masks.
inline constexpr int32_t kContainerPlanesMask = 0x0F;
inline constexpr int32_t kContainerSeparatePlanes = 0x10;

// The five functions of a plug-in. A plug-in defines them with exactly these
// C++ declarations (global namespace, C++ linkage): the compiler's own name
// decoration then yields the exported names the program looks up.
int LibLoadImage(char* fileName, char* ext, TImageContainer* container);
int LibSaveImage(char* fileName, char* ext, TImageContainer* container);
int LibFreeImage(TImageContainer* container);
char* LibGetLoadFilter();
char* LibGetSaveFilter();
#endif

// Result codes of LibLoadImage / LibSaveImage.
enum {
  kLibOk = 0,
  kLibCannotOpen = 2,
  kLibBadData = 3,  // load: error in bitmap data; save: error encoding image
  kLibUnsupportedFormat = 4,
  kLibCannotClose = 5,  // save only
};
