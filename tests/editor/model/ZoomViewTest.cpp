#include <gtest/gtest.h>

#include <vector>

#include "editor/model/ZoomView.h"

using namespace lumarte::editor;

namespace {

constexpr uint32_t kBackground = 0xFF123456;

// Image pixel (x, y) gets red x and green y, so the rendered colour tells
// which image pixel a display pixel shows.
TBitmap Coordinates(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGBColor(x, y, 0));
  return b;
}

struct Shown {
  int X, Y;
  bool operator==(const Shown&) const = default;
};

std::vector<Shown> Row(const TBitmap& image, double z, int sx, int sy, int width, int v,
                       int height) {
  std::vector<uint32_t> out(static_cast<size_t>(width) * height, 0);
  RenderZoomed(image, z, sx, sy, width, height, out.data(), width, kBackground);
  std::vector<Shown> row;
  for (int u = 0; u < width; ++u) {
    uint32_t p = out[static_cast<size_t>(v) * width + u];
    if (p == kBackground)
      row.push_back({-1, -1});
    else
      row.push_back({static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF)});
  }
  return row;
}

}  // namespace

TEST(RenderZoomed, ShowsTheImagePixelsOfEachDisplayPixel) {
  // Doubled: u / 2 for u = 0..5 (0, 0.5, 1, 1.5, 2, 2.5) rounds to 0, 0, 1, 2, 2, 2.
  const std::vector<Shown> doubled{{0, 1}, {0, 1}, {1, 1}, {2, 1}, {2, 1}, {2, 1}};
  EXPECT_EQ(Row(Coordinates(3, 2), 2.0, 0, 0, 6, 2, 4), doubled);
  // Row v = 3: 1.5 rounds to 2, past the last row, which is shown instead.
  EXPECT_EQ(Row(Coordinates(3, 2), 2.0, 0, 0, 6, 3, 4), doubled);
  // Halved: every second column.
  EXPECT_EQ(Row(Coordinates(8, 4), 0.5, 0, 0, 4, 0, 2),
            (std::vector<Shown>{{0, 0}, {2, 0}, {4, 0}, {6, 0}}));
  // Scrolled by (3, 4).
  EXPECT_EQ(Row(Coordinates(10, 10), 1.0, 3, 4, 3, 1, 3),
            (std::vector<Shown>{{3, 5}, {4, 5}, {5, 5}}));
  // Zoom 0 draws at 1; the rest, and all of an empty image, is background.
  const Shown bg{-1, -1};
  EXPECT_EQ(Row(Coordinates(2, 1), 0.0, 0, 0, 3, 0, 2), (std::vector<Shown>{{0, 0}, {1, 0}, bg}));
  EXPECT_EQ(Row(Coordinates(2, 1), 0.0, 0, 0, 3, 1, 2), (std::vector<Shown>(3, bg)));
  EXPECT_EQ(Row(TBitmap(), 1.0, 0, 0, 2, 0, 1), (std::vector<Shown>(2, bg)));
}

TEST(ZoomView, ZoomedLengthsAndScroll) {
  EXPECT_EQ(ZoomedLength(5, 0.5), 2);  // 2.5 to even
  EXPECT_EQ(ZoomedLength(7, 0.5), 4);  // 3.5 to even
  EXPECT_EQ(ZoomedLength(7, 0.0), 7);
  EXPECT_EQ(RescaledScrollPosition(100, 1.0, 2.0), 200);
  EXPECT_EQ(RescaledScrollPosition(100, 0.0, 0.5), 50);
}

TEST(ZoomView, FitIntoBoxShrinksKeepingTheRatio) {
  struct {
    int W, H, BW, BH, RW, RH;
  } cases[] = {
      {400, 200, 100, 100, 100, 50}, {200, 400, 100, 100, 50, 100}, {50, 20, 100, 100, 50, 20},
      {300, 100, 200, 50, 149, 50},  // two roundings: 67, then 149.25
      {5, 3, 2, 10, 2, 1},           // 1.2 rounds to 1
  };
  for (const auto& c : cases) {
    TClientSize s = FitIntoBox(c.W, c.H, c.BW, c.BH);
    EXPECT_EQ(s.Width, c.RW) << c.W << "x" << c.H;
    EXPECT_EQ(s.Height, c.RH) << c.W << "x" << c.H;
  }
}

TEST(ZoomView, FitViewToImageKeepsItsLimits) {
  TFitLimits limits;
  limits.ScrollBarWidth = 15;
  limits.ScrollBarHeight = 15;
  limits.MinClientWidth = 300;
  limits.MaxClientWidth = 1200;
  limits.MaxClientHeight = 900;
  TClientSize s = FitViewToImage(390, 390, 1.0, limits);
  EXPECT_EQ(s.Width, 400 + 15 + 15);
  EXPECT_EQ(s.Height, 400 + 15);
  s = FitViewToImage(39, 39, 1.0, limits);
  EXPECT_EQ(s.Width, 300);
  EXPECT_EQ(s.Height, 150);
  s = FitViewToImage(4000, 3000, 1.0, limits);
  EXPECT_EQ(s.Width, 1200);
  EXPECT_EQ(s.Height, 900);
}
