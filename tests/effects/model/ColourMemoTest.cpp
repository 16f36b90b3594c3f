#include <gtest/gtest.h>

#include <vector>

#include "effects/model/ColourMemo.h"

using namespace lumarte::effects;

// Colours that share a slot evict each other but never answer for each
// other; black (all zero bits) is not mistaken for an empty slot.
TEST(ColourMemo, AnswersEveryColourWithItsOwnResult) {
  ColourMemo memo;
  auto f = [](uint32_t c) { return (c * 2246822519u) & 0xFFFFFF; };
  int computed = 0;
  auto counted = [&](uint32_t c) {
    ++computed;
    return f(c);
  };
  std::vector<uint32_t> colours;
  for (uint32_t c = 0; c < 0x1000000; c += 4099) colours.push_back(c);
  for (int round = 0; round < 2; ++round)
    for (uint32_t c : colours) ASSERT_EQ(memo.Get(c, counted), f(c)) << c;
  EXPECT_LT(computed, static_cast<int>(2 * colours.size())) << "repeats are looked up";
  EXPECT_GE(computed, static_cast<int>(colours.size()));
  computed = 0;
  EXPECT_EQ(memo.Get(0, counted), f(0));
  EXPECT_EQ(computed, 0) << "black was remembered";
}
