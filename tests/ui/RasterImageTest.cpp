#include <gtest/gtest.h>

#include "platform/RasterImage.h"
#include "support/TestCodec.h"

using namespace lumarte;

TEST(RasterImage, QImageRoundTripAndStretch) {
  editor::TBitmap picture = fixtures::Pattern(6, 4, 9);
  EXPECT_EQ(platform::FromQImage(platform::ToQImage(picture)), picture);
  QImage half = platform::StretchedImage(picture, 3, 2);
  ASSERT_EQ(half.size(), QSize(3, 2));
  // Column u samples x = u * 6 / 3, row v samples y = v * 4 / 2.
  EXPECT_EQ(half.pixel(1, 1), qRgb(2 + 9, 2, 9));
  // Six columns onto four: columns 1 and 3 fall on x = 1.5 and 4.5, which
  // round to the even neighbour as the Resize dialog's sampler does.
  QImage narrow = platform::StretchedImage(picture, 4, 4);
  EXPECT_EQ(narrow.pixel(1, 0), qRgb(2 + 9, 0, 9));
  EXPECT_EQ(narrow.pixel(3, 0), qRgb(4 + 9, 0, 9));
  EXPECT_TRUE(platform::StretchedImage(editor::TBitmap(), 3, 2).isNull());
}
