#include "editor/model/SelectionEdit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "imaging/Errors.h"

namespace lumarte::editor {

const char* const kSelectionTooSmall = "Selection too small. Either Width or Height = 0";

namespace {

int32_t Saturate(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Whether the bounds fall back to the whole image because nothing is chosen.
bool SelectsWholeImage(const TSelectionClass& sel) {
  return sel.NothingSelected() ||
         (sel.Kind == SelKind::Rectangle && sel.X1 == sel.X2 && sel.Y1 == sel.Y2);
}

// How far the middle of b (truncated) must move to lie at p.
std::pair<int64_t, int64_t> MidpointMove(const TRect& b, TPoint p) {
  return {p.X - (int64_t{b.Left} + b.Right) / 2, p.Y - (int64_t{b.Top} + b.Bottom) / 2};
}

void MoveRectangle(TSelectionClass& s, TMoveTarget target, TPoint p) {
  if (s.X1 < 0) s.X1 = s.X2 = p.X, s.Y1 = s.Y2 = p.Y;
  int32_t& lowX = s.X1 <= s.X2 ? s.X1 : s.X2;
  int32_t& lowY = s.Y1 <= s.Y2 ? s.Y1 : s.Y2;
  int32_t& highX = s.X1 <= s.X2 ? s.X2 : s.X1;
  int32_t& highY = s.Y1 <= s.Y2 ? s.Y2 : s.Y1;
  switch (target) {
    case TMoveTarget::LeftTop:
      lowX = p.X, lowY = p.Y;
      break;
    case TMoveTarget::RightBottom:
      highX = p.X, highY = p.Y;
      break;
    case TMoveTarget::Centre: {
      auto [dx, dy] = MidpointMove({lowX, lowY, highX, highY}, p);
      s.X1 = Saturate(s.X1 + dx), s.X2 = Saturate(s.X2 + dx);
      s.Y1 = Saturate(s.Y1 + dy), s.Y2 = Saturate(s.Y2 + dy);
      break;
    }
  }
}

void MovePolygon(TSelectionClass& s, TMoveTarget target, TPoint p, int width, int height) {
  if (s.Polygon.Count() == 0) return;
  TRect b = s.Polygon.VertexBox();
  switch (target) {
    case TMoveTarget::LeftTop:
      s.Polygon.Translate(int64_t{p.X} - b.Left, int64_t{p.Y} - b.Top);
      break;
    case TMoveTarget::RightBottom:
      s.Polygon.Translate(int64_t{p.X} - b.Right, int64_t{p.Y} - b.Bottom);
      break;
    case TMoveTarget::Centre: {
      auto [dx, dy] = MidpointMove(b, p);
      s.Polygon.Translate(dx, dy);
      break;
    }
  }
  s.Polygon.BuildMask(width, height);
}

void MoveCircle(TSelectionClass& s, TMoveTarget target, TPoint p) {
  const int64_t r = s.X2;
  if (s.X1 < 0 || r < 0) return;  // nothing to move
  const int64_t offset = target == TMoveTarget::LeftTop       ? r
                         : target == TMoveTarget::RightBottom ? -r
                                                              : 0;
  s.X1 = Saturate(p.X + offset), s.Y1 = Saturate(p.Y + offset);
}

}  // namespace

TBitmap SelectionBlock(const TSelectionClass& sel, const TBitmap& image) {
  const int w = image.Width(), h = image.Height();
  TRect b{0, 0, w, h};
  if (!SelectsWholeImage(sel)) {
    b = GetSelectionBounds(sel, w, h);
    // The block ends before SelRight and SelBottom; only the image is copied.
    b = {std::max(b.Left, 0), std::max(b.Top, 0), std::min(b.Right, w), std::min(b.Bottom, h)};
  }
  if (b.Right - b.Left <= 0 || b.Bottom - b.Top <= 0) throw ELumarteError(kSelectionTooSmall);
  TBitmap block(b.Right - b.Left, b.Bottom - b.Top);
  for (int y = 0; y < block.Height(); ++y)
    std::memcpy(block.ScanLine(y), image.ScanLine(b.Top + y) + 3 * size_t(b.Left),
                size_t(block.Width()) * 3);
  return block;
}

TBitmap TrimmedRaster(const TBitmap& image, const TSelectionTest& test, TColor bg) {
  // Polygon bounds may reach far beyond the image once the shape has been
  // moved; only the image's part of the box is kept.
  const TRect& s = test.Bounds();
  const TRect b{std::max(s.Left, 0), std::max(s.Top, 0), std::min(s.Right, image.Width()),
                std::min(s.Bottom, image.Height())};
  const int64_t w = int64_t{b.Right} - b.Left, h = int64_t{b.Bottom} - b.Top;
  if (w <= 0 || h <= 0) throw ELumarteError(kSelectionTooSmall);
  if (w * h * 3 > TBitmap::kMaxBytes) throw ELumarteError("Invalid bitmap size");
  TBitmap out(static_cast<int>(w), static_cast<int>(h));
  const uint8_t fill[3] = {BlueOf(bg), GreenOf(bg), RedOf(bg)};
  for (int j = 0; j < out.Height(); ++j) {
    uint8_t* d = out.ScanLine(j);
    const int y = b.Top + j;
    for (int i = 0; i < out.Width(); ++i, d += 3) {
      const int x = b.Left + i;
      const uint8_t* s = test.InSelection(x, y) ? image.ScanLine(y) + 3 * size_t(x) : fill;
      d[0] = s[0], d[1] = s[1], d[2] = s[2];
    }
  }
  return out;
}

void MoveSelectionTo(TSelectionClass& sel, TMoveTarget target, TPoint p, int width, int height) {
  switch (sel.Kind) {
    case SelKind::Rectangle:
      MoveRectangle(sel, target, p);
      break;
    case SelKind::Point:
      sel.X1 = sel.X2 = p.X, sel.Y1 = sel.Y2 = p.Y;
      break;
    case SelKind::Polygon:
    case SelKind::Freehand:
      MovePolygon(sel, target, p, width, height);
      break;
    case SelKind::Circle:
      MoveCircle(sel, target, p);
      break;
    default:
      return;
  }
  sel.BoundsDirty = true;
}

TPoint SelectionCentre(const TSelectionClass& sel, int width, int height) {
  if (sel.Kind == SelKind::Circle && !sel.NothingSelected()) return {sel.X1, sel.Y1};
  TRect b = GetSelectionBounds(sel, width, height);
  return {static_cast<int32_t>((int64_t{b.Left} + b.Right) / 2),
          static_cast<int32_t>((int64_t{b.Top} + b.Bottom) / 2)};
}

TBrightnessStats SelectionBrightnessStats(const TBitmap& image, const TSelectionTest& test,
                                          double wB, double wG, double wR) {
  const TRect& c = test.Candidates();
  const double sum = wB + wG + wR;
  std::vector<double> values;
  for (int y = c.Top; y <= c.Bottom; ++y) {
    const uint8_t* row = image.ScanLine(y);
    for (int x = c.Left; x <= c.Right; ++x)
      if (test.InSelection(x, y)) {
        const uint8_t* p = row + 3 * size_t(x);
        values.push_back((p[0] * wB + p[1] * wG + p[2] * wR) / sum);
      }
  }
  if (values.empty()) return {};
  auto mid = values.begin() + values.size() / 2;
  std::nth_element(values.begin(), mid, values.end());
  return {*mid, *std::min_element(values.begin(), values.end()),
          *std::max_element(values.begin(), values.end())};
}

}  // namespace lumarte::editor
