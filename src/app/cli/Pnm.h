#pragma once
// Binary portable pixmaps and greymaps (P6, P5): the CLI's exchange formats
// with other command-line tools.
#include "imaging/RevedBitmap.h"

namespace lumarte::cli {

// Reads a P5 (to 8-bit grey) or P6 (to 24-bit) image; samples of any maximum
// value up to 65535 are scaled to 0..255.
void ReadPnm(imaging::TBaseStream& stream, imaging::TRevedBitmap& bitmap);
// P6; 8-bit images are expanded through their palette.
void WritePpm(imaging::TBaseStream& stream, const imaging::TRevedBitmap& bitmap);
// P5; colours become grey as (2 R + 3 G + B) / 6, exact for grey pixels.
void WritePgm(imaging::TBaseStream& stream, const imaging::TRevedBitmap& bitmap);

}  // namespace lumarte::cli
