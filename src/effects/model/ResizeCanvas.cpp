// The arithmetic of the Resize dialog and the canvas enlargement.
#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "editor/model/DocumentList.h"
#include "editor/model/Resample.h"
#include "base/Rounding.h"
#include "effects/model/Transforms.h"

namespace lumarte::effects {

std::string PercentText(int pixels, int imageSize) {
  if (imageSize <= 0) return "0";
  const double tenths =
      static_cast<double>(Round(static_cast<double>(pixels) * 1000.0 / imageSize));
  std::ostringstream s;
  s << tenths / 10;
  return s.str();
}

std::optional<int> PixelsFromPercent(const std::string& text, int imageSize) {
  const char* begin = text.c_str();
  char* end = nullptr;
  const double percent = std::strtod(begin, &end);
  while (end && *end == ' ') ++end;
  if (end == begin || *end != 0 || !(percent >= 0) || percent > 1e7) return std::nullopt;
  return PercentPixels(percent, imageSize);
}

int PercentPixels(double percent, int imageSize) {
  return static_cast<int>(std::min<int64_t>(Round(imageSize * 0.01 * percent), 1 << 30));
}

int RatioSide(int size, int displayThis, int displayOther) {
  if (displayThis <= 0) return 0;
  return static_cast<int>(
      Round(static_cast<double>(displayOther) * size / static_cast<double>(displayThis)));
}

namespace {

int AlignedOffset(CanvasAlign align, int newSize, int oldSize) {
  switch (align) {
    case CanvasAlign::Start:
      return 0;
    case CanvasAlign::Centre:
      return (newSize - oldSize) / 2;
    case CanvasAlign::End:
      return newSize - oldSize;
  }
  return 0;
}

}  // namespace

editor::TBitmap EnlargeCanvas(const EffectInput& in, const EnlargeCanvasParams& p) {
  const editor::TBitmap& src = in.Source;
  editor::TBitmap out(p.Width, p.Height);
  out.BrushColor = in.Colours.BG.Color();
  out.FillRect(0, 0, p.Width, p.Height);
  const int64_t offX = int64_t{AlignedOffset(p.Horizontal, p.Width, src.Width())} + p.HorOffset;
  const int64_t offY = int64_t{AlignedOffset(p.Vertical, p.Height, src.Height())} + p.VertOffset;
  // The source columns and rows that land inside the new canvas.
  const int64_t x0 = std::max<int64_t>(0, -offX),
                x1 = std::min<int64_t>(src.Width(), p.Width - offX);
  const int64_t y0 = std::max<int64_t>(0, -offY),
                y1 = std::min<int64_t>(src.Height(), p.Height - offY);
  if (x0 >= x1) return out;
  for (int64_t y = y0; y < y1; ++y)
    std::copy(src.ScanLine(static_cast<int>(y)) + 3 * x0,
              src.ScanLine(static_cast<int>(y)) + 3 * x1,
              out.ScanLine(static_cast<int>(y + offY)) + 3 * (x0 + offX));
  return out;
}

bool ResizeDocument(editor::DocumentList& docs, int width, int height) {
  editor::TBM& doc = docs.Current();
  if (width < 1 || height < 1 || !doc.Bitmap || doc.Bitmap->Empty()) return false;
  // Resampled first: a size too large to hold leaves no undo level behind.
  auto resized =
      std::make_unique<editor::TBitmap>(editor::ResampleNearest(*doc.Bitmap, width, height));
  docs.PushUndo();
  doc.Bitmap = std::move(resized);
  doc.Modified = true;
  docs.Refresh(0);
  docs.FitWindow();
  return true;
}

std::string GrowthText(int newSize, int oldSize) {
  return "+" + std::to_string(std::max(0, newSize - oldSize));
}

}  // namespace lumarte::effects
