// Placing decoded frames on the logical screen.
#include <algorithm>
#include <cstring>

#include "imaging/GIFLoader.h"

namespace lumarte::imaging {

namespace {

// The part of a frame that lies on the screen, in screen coordinates.
struct TClip {
  int X0, Y0, X1, Y1;
  bool Empty() const { return X0 >= X1 || Y0 >= Y1; }
};

TClip ClipToScreen(const TGIFFrame& f, int screenWidth, int screenHeight) {
  return {std::max(f.Left, 0), std::max(f.Top, 0), std::min(f.Left + f.Width, screenWidth),
          std::min(f.Top + f.Height, screenHeight)};
}

void FillRect24(TRevedBitmap& canvas, const TClip& r, uint32_t color) {
  for (int y = r.Y0; y < r.Y1; ++y) {
    uint8_t* p = canvas.ScanLine(y) + 3 * r.X0;
    for (int x = r.X0; x < r.X1; ++x, p += 3) {
      p[0] = static_cast<uint8_t>(color >> 16);
      p[1] = static_cast<uint8_t>(color >> 8);
      p[2] = static_cast<uint8_t>(color);
    }
  }
}

void DrawFrame24(TRevedBitmap& canvas, const TGIFFrame& f, const std::vector<uint8_t>& pixels) {
  TClip r = ClipToScreen(f, canvas.Width, canvas.Height);
  const uint8_t* colors = f.Table->Colors.data();
  for (int y = r.Y0; y < r.Y1; ++y) {
    const uint8_t* src = &pixels[static_cast<size_t>(y - f.Top) * f.Width + (r.X0 - f.Left)];
    uint8_t* p = canvas.ScanLine(y) + 3 * r.X0;
    for (int x = r.X0; x < r.X1; ++x, ++src, p += 3) {
      if (*src == f.TransparentIndex) continue;
      std::memcpy(p, colors + 3 * *src, 3);
    }
  }
}

}  // namespace

uint32_t TGIFImage::BackgroundColor() const {
  if (!GlobalTable || BackgroundIndex >= GlobalTable->Count) return 0;
  const uint8_t* c = &GlobalTable->Colors[3 * BackgroundIndex];
  return c[2] | c[1] << 8 | c[0] << 16;
}

void TGIFImage::FirstPicture(TRevedBitmap& picture) const {
  const TGIFFrame& f = Frames.at(0);
  picture.Dispose();
  bool covers = f.Left == 0 && f.Top == 0 && f.Width == ScreenWidth && f.Height == ScreenHeight;
  if (covers && !f.Interlaced) {
    // The common case decodes straight into the picture; pixels the data
    // leave out take the transparent index (else 0), as in DecodeFrame.
    picture.New(ScreenWidth, ScreenHeight, pf8bit, false);
    *picture.Palette = f.Table->Colors;
    size_t size = static_cast<size_t>(picture.Size), n;
    try {
      n = DecodeLZW(f.Data.data(), f.Data.size(), f.MinCodeSize, f.Table->Count, picture.Map.get(),
                    size);
    } catch (...) {
      picture.Dispose();
      throw;
    }
    std::memset(picture.Map.get() + n, std::max(f.TransparentIndex, 0), size - n);
    return;
  }
  std::vector<uint8_t> pixels = DecodeFrame(0);
  picture.New(ScreenWidth, ScreenHeight, pf8bit, false);
  *picture.Palette = f.Table->Colors;
  int fill = f.TransparentIndex;
  if (fill < 0)
    fill = f.Table == GlobalTable && BackgroundIndex < f.Table->Count ? BackgroundIndex : 0;
  // A frame covering the screen sets every row below.
  if (!covers) std::memset(picture.Map.get(), fill, static_cast<size_t>(picture.Size));
  TClip r = ClipToScreen(f, ScreenWidth, ScreenHeight);
  if (r.Empty()) return;
  for (int y = r.Y0; y < r.Y1; ++y)
    std::memcpy(picture.ScanLine(y) + r.X0,
                &pixels[static_cast<size_t>(y - f.Top) * f.Width + (r.X0 - f.Left)],
                static_cast<size_t>(r.X1 - r.X0));
}

void TGIFImage::Compose(size_t index, TRevedBitmap& picture) const {
  if (index >= Frames.size()) throw ERevedBitmap("Frame index out of range");
  picture.Dispose();
  picture.New(ScreenWidth, ScreenHeight, pf24bit);
  uint32_t background = BackgroundColor();
  TClip screen{0, 0, ScreenWidth, ScreenHeight};
  FillRect24(picture, screen, background);
  TRevedBitmap previous;
  for (size_t i = 0;; ++i) {
    const TGIFFrame& f = Frames[i];
    if (f.Disposal == gdRestorePrevious && i < index) previous.Assign(picture);
    DrawFrame24(picture, f, DecodeFrame(i));
    if (i == index) return;
    if (f.Disposal == gdRestoreBackground) {
      TClip r = ClipToScreen(f, ScreenWidth, ScreenHeight);
      if (!r.Empty()) FillRect24(picture, r, background);
    } else if (f.Disposal == gdRestorePrevious) {
      picture.Assign(previous);
    }
  }
}

}  // namespace lumarte::imaging
