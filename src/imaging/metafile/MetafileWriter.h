#pragma once
// Metafiles that hold one raster: a placeable WMF with one META_STRETCHDIB
// record or an EMF with one EMR_STRETCHDIBITS record, the raster as a 24-bit
// bottom-up DIB drawn at (0, 0) in its own size. The bounds are inclusive,
// (0, 0) to (W - 1, H - 1) at 96 pixels per inch, which the readers of this
// library open as a W x H picture again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/Streams.h"

namespace lumarte::imaging {

// Rows of (blue, green, red) pixels, top row first.
struct TRasterView {
  int Width = 0, Height = 0;
  const uint8_t* Pixels = nullptr;
  size_t Stride = 0;  // bytes from one row to the next
};

// WMF coordinates are 16-bit: wider or taller rasters raise EFormatError.
void WriteWMF(TBaseStream& out, const TRasterView& raster);
void WriteEMF(TBaseStream& out, const TRasterView& raster);
// Writes the file through a temporary so that a failure leaves an existing
// file untouched.
void SaveMetafileFile(const std::string& fileName, const TRasterView& raster, bool enhanced);

}  // namespace lumarte::imaging
