#pragma once
// A tiny raw format for tests of the registry paths: "RAWT", width and
// height (32-bit little-endian), then rows of blue, green, red bytes.
// Registered under the extension "tst" only, so real codecs are unaffected.
#include <cstring>
#include <string>

#include "editor/model/Bitmap.h"
#include "imaging/Errors.h"
#include "imaging/RevedBitmap.h"
#include "imaging/Streams.h"

namespace lumarte::fixtures {

class TTestCodec : public imaging::TBitmapLoader {
 public:
  std::string GetLoadFilter() override { return "Test raster (*.tst)|*.tst"; }
  bool CanLoad(const std::string& ext) override { return ExtIn(ext, {"TST"}); }
  bool CanSave(const std::string& ext) override { return ExtIn(ext, {"TST"}); }
  void LoadFromStream(imaging::TBaseStream& s, const std::string&,
                      imaging::TRevedBitmap& b) override {
    char magic[4];
    s.ReadExact(magic, 4);
    // Stands for a file whose load asks the user, who cancels.
    if (std::memcmp(magic, "ABRT", 4) == 0) throw EAbort("");
    if (std::memcmp(magic, "RAWT", 4) != 0) throw EFormatError("Not a test raster");
    uint32_t w = s.ReadDWordLE(), h = s.ReadDWordLE();
    if (w == 0 || h == 0 || w > 20000 || h > 20000) throw EFormatError("Bad test raster size");
    b.New(static_cast<int32_t>(w), static_cast<int32_t>(h), imaging::pf24bit);
    for (uint32_t y = 0; y < h; ++y) s.ReadExact(b.ScanLine(static_cast<int32_t>(y)), w * 3);
  }
  void SaveToStream(imaging::TBaseStream& s, const std::string&,
                    imaging::TRevedBitmap& b) override {
    s.WriteExact("RAWT", 4);
    s.WriteDWordLE(static_cast<uint32_t>(b.Width));
    s.WriteDWordLE(static_cast<uint32_t>(b.Height));
    for (int32_t y = 0; y < b.Height; ++y)
      s.WriteExact(b.ScanLine(y), static_cast<size_t>(b.BytesPerLine));
  }
};

inline void RegisterTestCodec() {
  static TTestCodec codec;
  static bool registered = [] {
    imaging::BitmapLoaders().Add(&codec);
    return true;
  }();
  (void)registered;
}

// A w x h raster whose pixel (x, y) is (x + seed, y, seed).
inline editor::TBitmap Pattern(int w, int h, int seed = 0) {
  editor::TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y,
                 editor::RGBColor(static_cast<uint8_t>(x + seed), static_cast<uint8_t>(y),
                                  static_cast<uint8_t>(seed)));
  return b;
}

inline void WriteTestRaster(const std::string& name, const editor::TBitmap& raster) {
  imaging::TFileStream s(name, imaging::fmRead | imaging::fmWrite | imaging::fmCreate);
  s.WriteExact("RAWT", 4);
  s.WriteDWordLE(static_cast<uint32_t>(raster.Width()));
  s.WriteDWordLE(static_cast<uint32_t>(raster.Height()));
  for (int y = 0; y < raster.Height(); ++y)
    s.WriteExact(raster.ScanLine(y), static_cast<size_t>(raster.BytesPerLine()));
}

}  // namespace lumarte::fixtures
