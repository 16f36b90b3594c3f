#include <algorithm>

#include "base/Random.h"
#include "effects/model/RetouchEffects.h"

namespace lumarte::effects {

namespace {

// A pixel red enough to be a pupil.
bool Seed(int r, int g, int b) {
  return (3 * (g + b) < 2 * r && g > b + 5 && r > 120) ||
         (r > 4 * b && g > b + 5 && r > 2 * g && r > 120 && b < 50);
}

// A pixel reddish enough to belong to a pupil next to one.
bool Spreads(int r, int g, int b) {
  return (r > (3 * g) / 2 && b < r) || (3 * g + 4 * b < 3 * r && g < r && b < r && r > 25) ||
         (r > 4 * b && g > 2 * b && r > g - 5 && r > 25);
}

}  // namespace

std::vector<bool> RedEyeMarks(const editor::TBitmap& image) {
  const int w = image.Width(), h = image.Height();
  std::vector<bool> marks(static_cast<size_t>(w) * h);
  std::vector<bool> spreads(marks.size());
  for (int y = 0; y < h; ++y) {
    const uint8_t* p = image.ScanLine(y);
    for (int x = 0; x < w; ++x, p += 3) {
      const size_t i = static_cast<size_t>(y) * w + x;
      marks[i] = Seed(p[2], p[1], p[0]);
      spreads[i] = Spreads(p[2], p[1], p[0]);
    }
  }
  // Walks from (x, y) by (dx, dy) while the pixel spreads and the walk has
  // not reached the image's edge, marking on the way. A walk stops early at
  // a pixel whose own walk in that direction has run or will run in this
  // pass: ahead in scan order a marked one, behind a grown one.
  std::vector<bool> grown(marks.size());
  auto walk = [&](int x, int y, int dx, int dy) {
    const bool ahead = dx > 0 || dy > 0;
    auto inside = [&] {
      return (dx >= 0 || x > 0) && (dx <= 0 || x < w - 1) && (dy >= 0 || y > 0) &&
             (dy <= 0 || y < h - 1);
    };
    for (bool start = true; inside(); start = false, x += dx, y += dy) {
      const size_t i = static_cast<size_t>(y) * w + x;
      if (!spreads[i] || (!start && (ahead ? marks[i] : grown[i]))) return;
      marks[i] = true;
    }
  };
  for (int pass = 0; pass < 3; ++pass)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const size_t i = static_cast<size_t>(y) * w + x;
        if (!marks[i]) continue;
        walk(x, y, 0, -1);
        walk(x, y, 0, 1);
        walk(x, y, -1, 0);
        walk(x, y, 1, 0);
        grown[i] = true;
      }
  return marks;
}

editor::TBitmap RedEyeRemoval(const EffectInput& in) {
  const std::vector<bool> marks = RedEyeMarks(in.Source);
  const int w = in.Source.Width();
  TRandomGenerator& rng = Rng();
  editor::TBitmap out;
  MapSelectedPixels(in, out, [&](const uint8_t* s, uint8_t* d, int x, int y) {
    if (!marks[static_cast<size_t>(y) * w + x]) return;
    const int b = s[0], g = s[1], r = s[2];
    const int u = static_cast<int>(rng.Below(28));
    int red = std::max(0, (8 * std::max(g, b) + r - u) / 9);
    // Smoothed with the finished pixels to the left and above.
    if (x >= 1 && y >= 1) red = (d[-1] + red + out.ScanLine(y - 1)[3 * x + 2]) / 3;
    d[2] = static_cast<uint8_t>(red);
    d[1] = static_cast<uint8_t>((b + g + red) / 3);
  });
  return out;
}

}  // namespace lumarte::effects
