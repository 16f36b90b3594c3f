#pragma once
// The working raster: 24-bit pixels, rows of (blue, green, red), row 0 on top,
// with the deterministic canvas operations that every edit builds on.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "imaging/MemUtils.h"

namespace lumarte::editor {

// Colour values are 0x00BBGGRR (red in the low byte).
using TColor = uint32_t;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clInvalid = 0xFFFFFFFF;
inline constexpr uint8_t RedOf(TColor c) { return c & 0xFF; }
inline constexpr uint8_t GreenOf(TColor c) { return (c >> 8) & 0xFF; }
inline constexpr uint8_t BlueOf(TColor c) { return (c >> 16) & 0xFF; }
inline constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
  return r | (g << 8) | (static_cast<TColor>(b) << 16);
}

enum class TFillStyle { fsSurface, fsBorder };

// Leaves the bytes a vector grows by uninitialised, so that a raster about to
// be written whole costs no pass to fill it first. Picture-sized blocks get
// huge pages, as the codec library's buffers do.
template <class T>
struct TNoInitAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = TNoInitAllocator<U>;
  };
  T* allocate(size_t n) {
    T* p = std::allocator<T>::allocate(n);
    imaging::AdviseHugePages(p, n * sizeof(T));
    return p;
  }
  template <class U, class... A>
  void construct(U* p, A&&... a) {
    if constexpr (sizeof...(A) == 0)
      ::new (static_cast<void*>(p)) U;
    else
      ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
  }
};

class TBitmap {
 public:
  // Largest raster accepted: keeps every byte offset inside 32 bits.
  static constexpr int64_t kMaxBytes = 0x7FFFFFF0;

  TBitmap() = default;
  TBitmap(int width, int height) { SetSize(width, height); }

  int Width() const { return W; }
  int Height() const { return H; }
  // Setting a size gives a raster of that size whose pixels are all white.
  void SetWidth(int w) { SetSize(w, H); }
  void SetHeight(int h) { SetSize(W, h); }
  void SetSize(int w, int h);
  // A raster of that size whose pixels are not set: the caller writes every one.
  static TBitmap ForOverwrite(int w, int h);
  void Assign(const TBitmap& other) { *this = other; }
  bool Empty() const { return W == 0 || H == 0; }
  int BytesPerLine() const { return W * 3; }

  uint8_t* ScanLine(int y) { return Pixels_.data() + static_cast<size_t>(y) * W * 3; }
  const uint8_t* ScanLine(int y) const {
    return Pixels_.data() + static_cast<size_t>(y) * W * 3;
  }

  // Pixel access; reads outside give clInvalid, writes outside are ignored.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor c);
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }

  // Canvas state.
  TColor PenColor = clBlack;
  int PenWidth = 1;
  TColor BrushColor = clWhite;
  // A clear brush: rectangles and ellipses are outlined only.
  bool BrushClear = false;

  void MoveTo(int x, int y) { PenX = x; PenY = y; }
  // Draws from the pen position to (x, y), leaving the end point out as the
  // host canvas does; the pen position moves to (x, y).
  void LineTo(int x, int y);
  // Fills [x1, x2) × [y1, y2) with the brush colour.
  void FillRect(int x1, int y1, int x2, int y2);
  // Filled with the brush and outlined with the pen, in the box [x1, x2) × [y1, y2).
  void Rectangle(int x1, int y1, int x2, int y2);
  void Ellipse(int x1, int y1, int x2, int y2);
  // fsSurface: fills the area of colour c around (x, y); fsBorder: fills up to
  // a border of colour c. The brush colour fills.
  void FloodFill(int x, int y, TColor c, TFillStyle style);
  // Copies other with its top-left corner at (x, y), clipped.
  void Draw(int x, int y, const TBitmap& other);
  // Colour of the bottom-left pixel (saving as GIF or PNG uses it).
  TColor TransparentColor() const;

  bool operator==(const TBitmap& o) const {
    return W == o.W && H == o.H && Pixels_ == o.Pixels_;
  }

 private:
  void Allocate(int w, int h);  // pixels not set
  void Stamp(int x, int y);  // one pen dot
  void FillSpan(int x1, int x2, int y, TColor c);  // [x1, x2], clipped
  int W = 0, H = 0;
  int PenX = 0, PenY = 0;
  std::vector<uint8_t, TNoInitAllocator<uint8_t>> Pixels_;
};

}  // namespace lumarte::editor
