// Commands that move pixels: each result pixel is copied from a source
// position computed from its own.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "effects/model/PixelOps.h"
#include "base/Parallel.h"
#include "base/Rounding.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;
using editor::TPoint;
using editor::TRect;

void CopyPixel(uint8_t* d, const TBitmap& src, int x, int y) {
  std::memcpy(d, src.ScanLine(y) + 3 * static_cast<size_t>(x), 3);
}

// Every selected pixel takes the pixel at source(x, y) when that one is
// selected too, else the background colour.
template <class Source>
TBitmap RemapWithinSelection(const EffectInput& in, Source source) {
  TBitmap out = in.Source;
  const editor::TColorEntry& bg = in.Colours.BG;
  const uint8_t fill[3] = {ClampByte(bg.B), ClampByte(bg.G), ClampByte(bg.R)};
  ForEachSelectedPixel(in, [&](const uint8_t*, int x, int y) {
    const TPoint p = source(x, y);
    uint8_t* d = out.ScanLine(y) + 3 * static_cast<size_t>(x);
    if (in.Selection.InSelection(p.X, p.Y))
      CopyPixel(d, in.Source, p.X, p.Y);
    else
      std::memcpy(d, fill, 3);
  });
  return out;
}

}  // namespace

// Mirror left to right. With everything selected every source is selected
// too, and whole rows are reversed.
TBitmap FlipLeftRight(const EffectInput& in) {
  const TRect& b = in.Selection.Bounds();
  if (!in.Selection.SelectsAll())
    return RemapWithinSelection(in, [&](int x, int y) { return TPoint{b.Right - x + b.Left, y}; });
  return MapWholeRows(in.Source, [](const uint8_t* s, uint8_t* d, int w) {
    s += 3 * static_cast<size_t>(w - 1);
    for (int x = 0; x < w; ++x, d += 3, s -= 3) d[0] = s[0], d[1] = s[1], d[2] = s[2];
  });
}

namespace {

TBitmap FlipTopBottom(const EffectInput& in) {
  const TRect& b = in.Selection.Bounds();
  if (!in.Selection.SelectsAll())
    return RemapWithinSelection(in, [&](int x, int y) { return TPoint{x, b.Bottom - y + b.Top}; });
  // Whole rows change places.
  const int h = in.Source.Height();
  const size_t rowBytes = static_cast<size_t>(in.Source.BytesPerLine());
  TBitmap out = TBitmap::ForOverwrite(in.Source.Width(), h);
  ParallelRanges(h, [&](int64_t first, int64_t end) {
    for (auto y = static_cast<int>(first); y < end; ++y)
      std::memcpy(out.ScanLine(y), in.Source.ScanLine(h - 1 - y), rowBytes);
  }, 64);
  return out;
}

// Mirror across the diagonal of the selection's bounds: from bottom-left to
// top-right (up) or from top-left to bottom-right (down).
TBitmap FlipDiagonal(const EffectInput& in, bool up) {
  const TRect& b = in.Selection.Bounds();
  if (b.Right == b.Left) return {};
  // A flat box has its diagonal along its one row: every pixel is its own
  // mirror (the general formula would divide by tan 0).
  if (b.Bottom == b.Top) return in.Source;
  const double a = std::atan(static_cast<double>(b.Bottom - b.Top) / (b.Right - b.Left));
  const double bAngle = std::numbers::pi / 2 - a;
  const double tanA = std::tan(a), sinA = std::sin(a);
  const double cosB = std::cos(bAngle), sinB = std::sin(bAngle);
  return RemapWithinSelection(in, [&](int x, int y) {
    const double h = (up ? b.Bottom - y : y - b.Top) / tanA;
    const double s = sinA * ((x - b.Left) - h);
    const double dy = 2 * s * sinB;
    return TPoint{static_cast<int32_t>(Round(x - 2 * s * cosB)),
                  static_cast<int32_t>(Round(up ? y - dy : y + dy))};
  });
}

TBitmap FlipDiagonalUp(const EffectInput& in) {
  return FlipDiagonal(in, true);
}
TBitmap FlipDiagonalDown(const EffectInput& in) {
  return FlipDiagonal(in, false);
}

// The whole image turns a quarter: R(c, r) = image(source(c, r)), where
// source is linear, so along an output row the source pixel moves by a fixed
// step. Blocks of output keep both rasters' rows in the cache; block rows go
// to all cores.
template <class Source>
TBitmap Turn(const EffectInput& in, Source source) {
  const TRect& b = in.Selection.Bounds();
  if (b.Right == b.Left) return {};
  const int w = in.Source.Width(), h = in.Source.Height();
  TBitmap out = TBitmap::ForOverwrite(h, w);
  auto at = [&](TPoint p) { return in.Source.ScanLine(p.Y) + 3 * static_cast<ptrdiff_t>(p.X); };
  // One output column further: the source's step (only defined with two columns).
  const ptrdiff_t step = h > 1 ? at(source(1, 0, w, h)) - at(source(0, 0, w, h)) : 0;
  constexpr int kBlock = 64;
  ParallelRanges((w + kBlock - 1) / kBlock, [&](int64_t firstBlock, int64_t endBlock) {
    for (int r0 = static_cast<int>(firstBlock) * kBlock; r0 < std::min<int64_t>(w, endBlock * kBlock);
         r0 += kBlock)
      for (int c0 = 0; c0 < h; c0 += kBlock)
        for (int r = r0; r < std::min(w, r0 + kBlock); ++r) {
          uint8_t* d = out.ScanLine(r) + 3 * static_cast<size_t>(c0);
          const uint8_t* s0 = at(source(c0, r, w, h));
          const int n = std::min(h, c0 + kBlock) - c0;
          for (int i = 0; i < n; ++i, d += 3) {
            const uint8_t* s = s0 + i * step;
            d[0] = s[0], d[1] = s[1], d[2] = s[2];
          }
        }
  }, 1);
  return out;
}

// Source row and column limits for the washing machine: the selection's
// bounds without their last row and column, kept inside the image.
int Limit(int64_t v, int lo, int hi, int size) {
  hi = std::max(lo, hi);
  v = std::clamp<int64_t>(v, lo, hi);
  return static_cast<int>(std::clamp<int64_t>(v, 0, size - 1));
}

TBitmap WashingMachine(const EffectInput& in) {
  const TRect& b = in.Selection.Bounds();
  const int cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2;
  const double w = std::max(b.Right - b.Left, 1), h = std::max(b.Bottom - b.Top, 1);
  const int width = in.Source.Width(), height = in.Source.Height();
  TBitmap out = in.Source;
  ForEachSelectedPixel(in, [&](const uint8_t*, int x, int y) {
    const int64_t dx = x - cx, dy = y - cy;
    // The distance is kept in single precision.
    const double d = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    const double reach = d / std::numbers::sqrt2;
    const double twoPi = 2 * std::numbers::pi;
    const int sx =
        Limit(Round(reach * std::sin(twoPi * d * x / (h * h)) + cx), b.Left, b.Right - 1, width);
    const int sy =
        Limit(Round(reach * std::cos(twoPi * d * y / (w * w)) + cy), b.Top, b.Bottom - 1, height);
    CopyPixel(out.ScanLine(y) + 3 * static_cast<size_t>(x), in.Source, sx, sy);
  });
  return out;
}

}  // namespace

TBitmap RotateLeft(const EffectInput& in) {
  return Turn(in, [](int c, int r, int w, int) { return TPoint{w - 1 - r, c}; });
}

TBitmap RotateRight(const EffectInput& in) {
  return Turn(in, [](int c, int r, int, int h) { return TPoint{r, h - 1 - c}; });
}

const std::vector<PixelCommand>& RemapCommands() {
  static const std::vector<PixelCommand> commands{
      {"Left", "Rotate All 90\u00B0", "LMRotateLeft1", RotateLeft},
      {"Right", "Rotate All 90\u00B0", "LMRotateRight1", RotateRight},
      {"Vertical", "Flip", "LMVertical1", FlipLeftRight},
      {"Horizontal", "Flip", "LMHorizontal1", FlipTopBottom},
      {"Diagonal (UP)", "Flip", "LMDiagonalUp", FlipDiagonalUp},
      {"Diagonal (DOWN)", "Flip", "LMDiagonalDown", FlipDiagonalDown},
      {"Washing Machine", "", "LMWashingMachine1", WashingMachine},
  };
  return commands;
}

}  // namespace lumarte::effects
