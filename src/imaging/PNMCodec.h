#pragma once
// Binary portable pixmaps and greymaps (P6, P5): the exchange formats of the
// command line with other command-line tools. Not registered: the editor's
// dialogs do not offer them.
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

// Reads a P5 (to 8-bit grey) or P6 (to 24-bit) image; samples of any maximum
// value up to 65535 are scaled to 0..255.
void ReadPnm(TBaseStream& stream, TRevedBitmap& bitmap);
// P6; 8-bit images are expanded through their palette.
void WritePpm(TBaseStream& stream, const TRevedBitmap& bitmap);
// P5; colours become grey as (2 R + 3 G + B) / 6, exact for grey pixels.
void WritePgm(TBaseStream& stream, const TRevedBitmap& bitmap);

}  // namespace lumarte::imaging
