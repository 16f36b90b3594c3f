#pragma once
// The device-independent bitmaps that metafile records carry: BITMAPCOREHEADER
// and BITMAPINFOHEADER (and its longer versions), 1/4/8/16/24/32 bits per
// pixel, uncompressed, BI_BITFIELDS, RLE8 and RLE4.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "imaging/metafile/MetafileRecords.h"

namespace lumarte::imaging {

// Bitmap header and colour table in info, pixel rows in bits. With
// paletteIndices (DIB_PAL_COLORS) the colour table holds 16-bit indices into
// a logical palette this reader does not keep; they are shown as grey levels.
// Gives null for compressions it cannot draw (embedded JPEG or PNG); raises
// EFormatError when the header is impossible or the pixels are missing.
std::shared_ptr<TMetaImage> DecodeDIB(const uint8_t* info, size_t infoSize, const uint8_t* bits,
                                      size_t bitsSize, bool paletteIndices);
// As DecodeDIB, keeping the alpha of 32-bit pixels (premultiplied, as
// AlphaBlend expects them).
std::shared_ptr<TMetaImage> DecodeAlphaDIB(const uint8_t* info, size_t infoSize,
                                           const uint8_t* bits, size_t bitsSize);
// Header, colour table and rows in one block (as WMF records and pattern
// brushes hold them).
std::shared_ptr<TMetaImage> DecodePackedDIB(const uint8_t* data, size_t size, bool paletteIndices);
// SetDIBitsToDevice: bits hold only the given number of scan lines of the
// bitmap the header describes.
std::shared_ptr<TMetaImage> DecodeDIBScans(const uint8_t* info, size_t infoSize,
                                           const uint8_t* bits, size_t bitsSize,
                                           bool paletteIndices, uint32_t scans);
// True for a header with a negative height (rows stored top first).
bool IsTopDownDIB(const uint8_t* info, size_t infoSize);
// Size of header plus colour table of a packed DIB (what DecodePackedDIB skips
// before the rows); raises EFormatError when the header is impossible.
size_t DIBHeaderAndTableSize(const uint8_t* data, size_t size, bool paletteIndices);

// A 16-bit Windows bitmap object (BITMAP16 of old WMF records), one plane of
// 1, 4, 8, 16, 24 or 32 bits; monochrome is black on white, 4 and 8 bits
// (device palette indices) are shown as grey levels.
std::shared_ptr<TMetaImage> DecodeBitmap16(const uint8_t* data, size_t size);

}  // namespace lumarte::imaging
