#include "gallery/model/ImageSizing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/Rounding.h"

namespace lumarte::gallery {

namespace {

// round(a·b / c), halves to even, exact in integers; never below 1 so that an
// extremely long picture still gets a picture of its own.
int ScaleRound(int a, int b, int c) {
  const int64_t num = int64_t{a} * b;
  int64_t quot = num / c;
  const int64_t twice = 2 * (num % c);
  if (twice > c || (twice == c && quot % 2 != 0)) ++quot;
  return static_cast<int>(std::max<int64_t>(1, quot));
}

}  // namespace

void LimitSize(int& w, int& h, int W, int H) {
  if (W < w) {
    h = ScaleRound(h, W, w);
    w = W;
  }
  if (h > H) {
    w = ScaleRound(w, H, h);
    h = H;
  }
}

TThumbSize ThumbnailSize(int w, int h, int W, int H, TSizingMode mode) {
  switch (mode) {
    case TSizingMode::Stretch:
      return {W, H, W, H};
    case TSizingMode::HardLimit:
      LimitSize(w, h, W, H);
      if (W > w) {
        h = ScaleRound(h, W, w);
        w = W;
      }
      if (h < H) {
        w = ScaleRound(w, H, h);
        h = H;
      }
      return {w, h, W, H};
    case TSizingMode::Fit: {
      LimitSize(w, h, W, H);
      const double longSide = std::max(w, h);
      const double r = double(w) * h / (longSide * longSide);
      if (r > 0.5) {
        const double f = 1 - std::sqrt(r / 4);
        w = static_cast<int>(std::max<int64_t>(1, Round(w * f)));
        h = static_cast<int>(std::max<int64_t>(1, Round(h * f)));
      }
      return {w, h, w, h};
    }
    default:
      LimitSize(w, h, W, H);
      return {w, h, w, h};
  }
}

int PublishedQuality(TThumbQuality q) { return q == TThumbQuality::High ? 90 : 75; }

int ThumbnailQuality(TThumbQuality q) {
  static constexpr int kTable[] = {85, 60, 35, 28};
  return kTable[static_cast<int>(q)];
}

int CollageQuality(TThumbQuality q) {
  static constexpr int kTable[] = {85, 70, 45, 35};
  return kTable[static_cast<int>(q)];
}

std::string ThumbnailFileName(const std::string& name, bool imagesAreThumbnails) {
  if (imagesAreThumbnails) return name;
  return name.substr(0, name.size() >= 4 ? name.size() - 4 : 0) + "_th.jpg";
}

}  // namespace lumarte::gallery
