#include <gtest/gtest.h>

#include "effects/model/EffectTable.h"
#include "effects/model/InsertEffects.h"
#include "support/EffectRun.h"
#include "support/ErrorMessage.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
using namespace lumarte::fixtures;

namespace {

struct PasteCase {
  const char* name;
  PasteInsertParams params;
  TBitmap picture;
  TSelectionClass selection;
  // The image's pixels after pasting onto black, row by row, 0 for black.
  std::vector<TColor> expected;
};
class Paste : public ::testing::TestWithParam<PasteCase> {};

constexpr TColor A = RGBColor(200, 100, 50), B = RGBColor(10, 20, 30), C = RGBColor(0, 0, 250);

TBitmap Pair() {  // A B above C A
  TBitmap b(2, 2);
  b.SetPixel(0, 0, A), b.SetPixel(1, 0, B), b.SetPixel(0, 1, C), b.SetPixel(1, 1, A);
  return b;
}

}  // namespace

TEST_P(Paste, OntoBlack) {
  const PasteCase& c = GetParam();
  const TBitmap image = Filled(4, 2, clBlack);
  const EffectScene scene(image, c.selection);
  const TBitmap out = PasteInsert(scene.Input, c.picture, c.params);
  std::vector<TColor> got;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) got.push_back(out.Pixel(x, y));
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Paste,
    ::testing::Values(
        PasteCase{"MixOverBlackHalves",
                  {.X = 1, .Y = 0, .Mix = true},
                  Filled(1, 1, A),
                  {},
                  {0, RGBColor(100, 50, 25), 0, 0, 0, 0, 0, 0}},
        PasteCase{"XAtTheImageWidthWritesNothing",
                  {.X = 4, .Y = 0},
                  Filled(3, 2, A),
                  {},
                  {0, 0, 0, 0, 0, 0, 0, 0}},
        PasteCase{
            "ClippedAtTheRightAndBottom", {.X = 3, .Y = 1}, Pair(), {}, {0, 0, 0, 0, 0, 0, 0, A}},
        PasteCase{"OnePixelWallpaperFills",
                  {.Mode = PasteMode::ToSelectionWallpaper},
                  Filled(1, 1, B),
                  RectSelection(1, 0, 2, 1),
                  {0, B, B, 0, 0, B, B, 0}},
        PasteCase{"WallpaperTilesFromTheCorner",
                  {.Mode = PasteMode::ToSelectionWallpaper},
                  Pair(),
                  RectSelection(1, 0, 3, 1),
                  {0, A, B, A, 0, C, A, C}},
        // Two picture columns over a selection two pixels wide: k = 1.
        PasteCase{"AdjustSizeScalesByTheWidths",
                  {.Mode = PasteMode::ToSelectionAdjustSize},
                  Pair(),
                  RectSelection(1, 0, 3, 1),
                  {0, A, B, B, 0, C, A, A}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Paste, ZeroWidthSelectionCannotBeScaledInto) {
  const TBitmap image = Filled(4, 2, clBlack);
  const EffectScene scene(image, RectSelection(2, 0, 2, 1));
  EXPECT_EQ(
      Message([&] {
        PasteInsert(scene.Input, Pair(), {.Mode = PasteMode::ToSelectionAdjustSize});
      }),
      "Division by 0 Error funcPIns_TSAS");
}
