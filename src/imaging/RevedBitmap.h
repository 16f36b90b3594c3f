#pragma once
// The codec library's pixel buffer and the codec registry.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/Streams.h"

namespace lumarte::imaging {

enum TPixelFormat : uint8_t { pf8bit = 3, pf24bit = 6, pfCustom = 8 };

using TPalette = std::array<uint8_t, 768>;  // 256 entries of (blue, green, red)

// The grey ramp, entry i = (i, i, i).
const TPalette& DefaultPalette();
// Entries 0..n-1 become grey levels i*255/(n-1).
void MakeGrayPalette(uint8_t* palette, int n);

class TRevedBitmap {
 public:
  // Largest pixel block we allocate: Size is a 32-bit signed value.
  static constexpr int64_t kMaxSize = 0x7FFFFFF0;

  TRevedBitmap() = default;
  TRevedBitmap(const TRevedBitmap& other) { Assign(other); }
  TRevedBitmap& operator=(const TRevedBitmap& other) {
    if (this != &other) Assign(other);
    return *this;
  }
  virtual ~TRevedBitmap() = default;

  int32_t Width = 0;
  int32_t Height = 0;
  TPixelFormat PixelFormat = pfCustom;
  int32_t BytesPerLine = 0;
  int32_t Size = 0;
  bool Present = false;
  std::unique_ptr<uint8_t[]> Map;       // Size + 1 bytes
  std::unique_ptr<TPalette> Palette;    // only for pf8bit

  // zeroed = false leaves a fresh pixel block undefined, for decoders that
  // write every byte anyway (the zero pass costs ~10% of a fast decode).
  void New(int32_t width, int32_t height, TPixelFormat format, bool zeroed = true);
  virtual void Dispose();
  void Assign(const TRevedBitmap& source);
  void Clear(uint32_t color);
  uint8_t* ScanLine(int32_t y) { return Map.get() + static_cast<int64_t>(y) * BytesPerLine; }
  const uint8_t* ScanLine(int32_t y) const {
    return Map.get() + static_cast<int64_t>(y) * BytesPerLine;
  }
  bool IsGrayScale() const;
  void ResizeCanvas(int32_t newWidth, int32_t newHeight, int32_t xOffset, int32_t yOffset,
                    uint32_t fillColor);
  void InterleavePlanes(const uint8_t* source, int planeCount);

  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);
  void LoadFromStream(TBaseStream& stream, const std::string& ext);
  void SaveToStream(TBaseStream& stream, const std::string& ext);
};

// Capabilities bits of a codec.
enum : uint8_t {
  capLoadStream = 1,
  capSaveStream = 2,
  capLoadFile = 4,
  capSaveFile = 8,
};

class TBitmapLoader {
 public:
  virtual ~TBitmapLoader() = default;
  virtual bool CanLoad(const std::string& ext);
  virtual bool CanSave(const std::string& ext);
  virtual std::string GetLoadFilter();
  virtual std::string GetSaveFilter() { return GetLoadFilter(); }
  virtual uint8_t Capabilities() { return capLoadStream | capSaveStream; }
  virtual void LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap);
  virtual void SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap);
  virtual void LoadFromFile(const std::string& fileName, const std::string& ext,
                            TRevedBitmap& bitmap);
  virtual void SaveToFile(const std::string& fileName, const std::string& ext,
                          TRevedBitmap& bitmap);

 protected:
  // The default substring test: "*.EXT" anywhere in the upper-cased filter.
  static bool FilterMentions(const std::string& filter, const std::string& ext);
  // Exact, case-insensitive match against a list of upper-case extensions.
  static bool ExtIn(const std::string& ext, std::initializer_list<const char*> list);
};

class TBitmapLoaders {
 public:
  void Add(TBitmapLoader* loader);
  // First registered codec accepting ext; EUnsupportedFileFormat otherwise.
  TBitmapLoader& FindLoader(const std::string& ext) const;
  TBitmapLoader& FindSaver(const std::string& ext) const;
  std::string CombinedLoadFilter() const;
  // Concatenated save filters, for save dialogs.
  std::string CombinedSaveFilter() const;
  int Count() const { return static_cast<int>(Items.size()); }
  TBitmapLoader* operator[](int i) const { return Items.at(i); }

 private:
  std::vector<TBitmapLoader*> Items;  // not owned
};

// The process-wide registry; built-in codecs are registered on first use.
TBitmapLoaders& BitmapLoaders();

}  // namespace lumarte::imaging
