#include <gtest/gtest.h>

#include "editor/model/Bitmap.h"
#include "editor/model/RasterConversion.h"

using namespace lumarte::editor;
using namespace lumarte::imaging;

namespace {

// The raster as rows of '#' (pen/brush colour given) and '.' (anything else).
std::vector<std::string> Picture(const TBitmap& b, TColor ink) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.Height(); ++y) {
    std::string r;
    for (int x = 0; x < b.Width(); ++x) r += b.Pixel(x, y) == ink ? '#' : '.';
    rows.push_back(r);
  }
  return rows;
}

}  // namespace

TEST(Bitmap, SizeGivesWhitePixelsAndBgrOrder) {
  TBitmap b(2, 1);
  EXPECT_EQ(b.Pixel(1, 0), clWhite);
  b.SetPixel(0, 0, RGBColor(1, 2, 3));
  EXPECT_EQ(b.ScanLine(0)[0], 3);
  EXPECT_EQ(b.ScanLine(0)[2], 1);
  EXPECT_EQ(b.Pixel(5, 0), clInvalid);
  b.SetPixel(-1, 0, 0);  // ignored
  b.SetHeight(2);
  EXPECT_EQ(b.Pixel(0, 0), clWhite);
  EXPECT_EQ(b.TransparentColor(), clWhite);
}

TEST(Bitmap, LineLeavesEndPointOut) {
  TBitmap b(5, 3);
  b.MoveTo(0, 0);
  b.LineTo(4, 2);
  auto pic = Picture(b, clBlack);
  EXPECT_EQ(pic[0][0], '#');
  EXPECT_EQ(pic[2][4], '.');
  for (int x = 0; x < 4; ++x)  // one pixel per column on a shallow line
    EXPECT_EQ((pic[0][x] == '#') + (pic[1][x] == '#') + (pic[2][x] == '#'), 1) << x;
  b.LineTo(4, 0);  // goes on from the end point
  EXPECT_EQ(Picture(b, clBlack)[2][4], '#');
}

TEST(Bitmap, WidePenIsRound) {
  TBitmap b(5, 5);
  b.PenWidth = 5;
  b.MoveTo(2, 2);
  b.LineTo(2, 2);
  EXPECT_EQ(Picture(b, clBlack),
            (std::vector<std::string>{".###.", "#####", "#####", "#####", ".###."}));
}

TEST(Bitmap, RectangleAndEllipse) {
  TBitmap b(5, 4);
  b.BrushColor = RGBColor(0, 0, 255);
  b.Rectangle(0, 0, 4, 4);
  EXPECT_EQ(Picture(b, clBlack), (std::vector<std::string>{"####.", "#..#.", "#..#.", "####."}));
  EXPECT_EQ(b.Pixel(1, 1), RGBColor(0, 0, 255));
  TBitmap e(7, 7);
  e.PenColor = RGBColor(255, 0, 0);
  e.Ellipse(0, 0, 7, 7);
  EXPECT_EQ(Picture(e, RGBColor(255, 0, 0)),
            (std::vector<std::string>{"..###..", ".#...#.", "#.....#", "#.....#", "#.....#",
                                      ".#...#.", "..###.."}));
}

TEST(Bitmap, FloodFillBothModes) {
  TBitmap b(5, 5);
  b.MoveTo(2, 0);
  b.LineTo(2, 5);  // a black wall down the middle
  b.BrushColor = RGBColor(0, 255, 0);
  b.FloodFill(0, 0, clWhite, TFillStyle::fsSurface);
  EXPECT_EQ(Picture(b, RGBColor(0, 255, 0))[4], "##...");
  b.BrushColor = RGBColor(0, 0, 255);
  b.FloodFill(4, 4, clBlack, TFillStyle::fsBorder);
  EXPECT_EQ(Picture(b, RGBColor(0, 0, 255))[0], "...##");
  b.BrushColor = clBlack;  // filling a colour with itself ends
  b.FloodFill(2, 2, clBlack, TFillStyle::fsSurface);
  EXPECT_EQ(Picture(b, clBlack)[2], "..#..");
}

TEST(Bitmap, DrawClips) {
  TBitmap dst(3, 3), src(2, 2);
  src.SetPixel(0, 0, clBlack);
  src.SetPixel(1, 1, clBlack);
  dst.Draw(-1, 2, src);
  EXPECT_EQ(Picture(dst, clBlack), (std::vector<std::string>{"...", "...", "..."}));
  dst.Draw(2, 1, src);
  EXPECT_EQ(Picture(dst, clBlack), (std::vector<std::string>{"...", "..#", "..."}));
}

TEST(RasterConversion, PalettedExpandsAndRoundTrips) {
  TRevedBitmap buf;
  buf.New(2, 1, pf8bit);
  buf.Map[0] = 1;
  buf.Map[1] = 2;
  (*buf.Palette)[3] = 10;  // entry 1 blue
  (*buf.Palette)[8] = 30;  // entry 2 red
  TBitmap raster;
  AssignTo(buf, raster);
  EXPECT_EQ(raster.Pixel(0, 0), RGBColor(1, 1, 10));
  EXPECT_EQ(raster.Pixel(1, 0), RGBColor(30, 2, 2));
  TRevedBitmap back;
  AssignFromRaster(back, raster);
  EXPECT_EQ(back.PixelFormat, pf24bit);
  TBitmap again;
  AssignTo(back, again);
  EXPECT_EQ(again, raster);
  AssignFromRaster(back, TBitmap());
  EXPECT_FALSE(back.Present);
}
