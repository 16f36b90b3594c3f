#include <gtest/gtest.h>

#include <set>

#include "editor/model/DocumentCodecs.h"
#include "editor/model/SavePreviews.h"
#include "support/TestCodec.h"

using namespace lumarte::editor;
using lumarte::fixtures::Pattern;

namespace {

std::set<TColor> Colours(const TBitmap& b) {
  std::set<TColor> c;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) c.insert(b.Pixel(x, y));
  return c;
}

}  // namespace

TEST(ReducedToDepth, EachDepthKeepsAtMostItsColours) {
  TBitmap photo = Pattern(64, 48, 17);  // 64 x 48 distinct colours
  for (int bits : {8, 4, 1}) {
    TBitmap reduced = ReducedToDepth(photo, bits);
    EXPECT_EQ(reduced.Width(), 64);
    EXPECT_LE(Colours(reduced).size(), size_t{1} << bits) << bits;
  }
  EXPECT_EQ(ReducedToDepth(photo, 24), photo);
}

TEST(ReducedToDepth, FewColoursStayExact) {
  TBitmap b(10, 10);
  b.SetPixel(1, 1, RGBColor(200, 10, 30));
  b.SetPixel(2, 2, RGBColor(5, 6, 7));
  EXPECT_EQ(ReducedToDepth(b, 4), b);
}

TEST(MarkTransparentPixels, OnlyThatColourBecomesACheckerboard) {
  TBitmap b(20, 4);
  const TColor red = RGBColor(255, 0, 0);
  for (int x = 0; x < 20; ++x) b.SetPixel(x, 1, red);
  TBitmap marked = MarkTransparentPixels(b, red);
  EXPECT_EQ(marked.Pixel(0, 0), clWhite);
  TColor first = marked.Pixel(0, 1), second = marked.Pixel(8, 1);
  EXPECT_NE(first, red);
  EXPECT_NE(first, second);  // squares of eight pixels alternate
  EXPECT_EQ(marked.Pixel(7, 1), first);
  EXPECT_EQ(RedOf(first), BlueOf(first));
}

TEST(SizeText, BytesLabel) {
  EXPECT_EQ(SizeText(1234), "1234 Bytes");
}
