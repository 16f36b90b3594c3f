#include <gtest/gtest.h>

#include <cmath>

#include "editor/model/Resample.h"
#include "imaging/Errors.h"
#include "support/DistinctPattern.h"

using namespace lumarte::editor;
using lumarte::fixtures::DistinctPattern;

struct TableCase {
  int From, To;
  std::vector<int32_t> Expected;
};

class NearestTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(NearestTable, RoundsHalvesToEven) {
  EXPECT_EQ(NearestSourceTable(GetParam().From, GetParam().To), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NearestTable,
    ::testing::Values(TableCase{6, 3, {0, 2, 4}},     // halving: every second
                      TableCase{5, 2, {0, 2}},        // 2.5 -> 2
                      TableCase{7, 2, {0, 4}},        // 3.5 -> 4
                      TableCase{3, 2, {0, 2}},        // 1.5 -> 2
                      TableCase{2, 4, {0, 0, 1, 1}},  // 0.5 -> 0, 1.5 -> 2 cut to 1
                      TableCase{3, 6, {0, 0, 1, 2, 2, 2}}, TableCase{4, 4, {0, 1, 2, 3}},
                      TableCase{1, 3, {0, 0, 0}}));

// The integer steps agree with the rounding of the exact quotient.
TEST(NearestTable, MatchesTheQuotientRoundedHalfEven) {
  for (int from = 1; from <= 40; ++from)
    for (int to = 1; to <= 40; ++to) {
      std::vector<int32_t> t = NearestSourceTable(from, to);
      for (int i = 0; i < to; ++i) {
        double q = std::nearbyint(static_cast<double>(i) * from / to);
        ASSERT_EQ(t[i], std::min<int32_t>(from - 1, static_cast<int32_t>(q)))
            << from << "->" << to << " at " << i;
      }
    }
}

TEST(ResampleNearest, SameSizeReproducesTheImage) {
  for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {17, 5}}) {
    TBitmap b = DistinctPattern(w, h);
    EXPECT_EQ(ResampleNearest(b, w, h), b) << w << "x" << h;
  }
}

TEST(ResampleNearest, HalvingPicksEverySecondPixel) {
  TBitmap b = DistinctPattern(10, 6);
  TBitmap half = ResampleNearest(b, 5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(half.Pixel(x, y), b.Pixel(2 * x, 2 * y)) << x << "," << y;
}

TEST(ResampleNearest, EnlargingRepeatsPixelsUpToTheLastColumn) {
  TBitmap b = DistinctPattern(3, 2);
  TBitmap big = ResampleNearest(b, 7, 5);
  const std::vector<int32_t> cols = NearestSourceTable(3, 7), rows = NearestSourceTable(2, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(big.Pixel(x, y), b.Pixel(cols[x], rows[y]));
  EXPECT_EQ(big.Pixel(6, 4), b.Pixel(2, 1));
}

TEST(ResampleNearest, RefusesEmptySizes) {
  TBitmap b = DistinctPattern(3, 2);
  EXPECT_THROW(ResampleNearest(b, 0, 2), lumarte::ELumarteError);
  EXPECT_THROW(ResampleNearest(b, 2, -1), lumarte::ELumarteError);
  EXPECT_THROW(ResampleNearest(b, 65535, 65535), lumarte::ELumarteError);
}
