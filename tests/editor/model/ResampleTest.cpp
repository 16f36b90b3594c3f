#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "editor/model/Resample.h"
#include "imaging/Errors.h"
#include "support/DistinctPattern.h"

using namespace lumarte::editor;
using lumarte::fixtures::DistinctPattern;

// The integer steps agree with the rounding of the exact quotient.
TEST(NearestTable, MatchesTheQuotientRoundedHalfEven) {
  for (int from = 1; from <= 40; ++from)
    for (int to = 1; to <= 40; ++to) {
      std::vector<int32_t> t = NearestSourceTable(from, to);
      ASSERT_EQ(t.size(), static_cast<size_t>(to));
      for (int i = 0; i < to; ++i) {
        double q = std::nearbyint(static_cast<double>(i) * from / to);
        ASSERT_EQ(t[i], std::min<int32_t>(from - 1, static_cast<int32_t>(q)))
            << from << "->" << to << " at " << i;
      }
    }
}

// Every output pixel is the source pixel the tables name, for the same size
// (the image itself), halving and enlarging.
TEST(ResampleNearest, TakesThePixelsTheTablesName) {
  const std::array<int, 4> cases[] = {{1, 1, 1, 1}, {17, 5, 17, 5}, {10, 6, 5, 3}, {3, 2, 7, 5}};
  for (auto [w, h, tw, th] : cases) {
    const TBitmap b = DistinctPattern(w, h);
    const TBitmap out = ResampleNearest(b, tw, th);
    if (tw == w && th == h) EXPECT_EQ(out, b) << w << "x" << h;
    const std::vector<int32_t> cols = NearestSourceTable(w, tw), rows = NearestSourceTable(h, th);
    ASSERT_EQ(out.Width(), tw);
    ASSERT_EQ(out.Height(), th);
    for (int y = 0; y < th; ++y)
      for (int x = 0; x < tw; ++x)
        EXPECT_EQ(out.Pixel(x, y), b.Pixel(cols[x], rows[y]))
            << w << "x" << h << " " << x << "," << y;
  }
}

TEST(ResampleNearest, RefusesEmptySizes) {
  TBitmap b = DistinctPattern(3, 2);
  EXPECT_THROW(ResampleNearest(b, 0, 2), lumarte::ELumarteError);
  EXPECT_THROW(ResampleNearest(b, 2, -1), lumarte::ELumarteError);
  EXPECT_THROW(ResampleNearest(b, 65535, 65535), lumarte::ELumarteError);
}
