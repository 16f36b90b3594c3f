// Effects that compute each pixel from the whole picture keep to the
// document's selection, its shape and its colour gate: inside it they give
// the pixels of the run on the whole image, outside it the image's own.
#include <gtest/gtest.h>

#include "FrequencyReference.h"
#include "editor/model/DocumentList.h"
#include "effects/model/EffectTable.h"
#include "support/QuietDocumentHost.h"
#include "support/Selections.h"

using namespace lumarte::editor;
using namespace lumarte;
using namespace lumarte::effects;

namespace {

struct SelectionCase {
  std::string Effect;
  std::map<std::string, double> Values;
  std::vector<std::pair<std::string, std::string>> ListItems;
  bool ByColor = false;
  bool SameInside = true;  // false: the dithering draws only for selected pixels
};

class SelectionInEffects : public ::testing::TestWithParam<SelectionCase> {};

}  // namespace

TEST_P(SelectionInEffects, InsideTheWholeRunOutsideTheImage) {
  const SelectionCase& c = GetParam();
  QuietHost host;
  DocumentList docs(host);
  docs.NewImage(1, 1);
  TBitmap& img = *docs.Current().Bitmap;
  img = reference::Pattern(40, 30);
  for (int x = 0; x < 40; ++x) img.SetPixel(x, 15, RGBColor(100, 100, 100));
  *docs.Current().Selection = fixtures::CircleSelection(20, 15, 9);
  docs.Current().Selection->ByColor = c.ByColor;
  docs.SelectByColor = {100, 100, 100, 1};
  const EffectRow& row = *FindEffect(c.Effect);
  ParamValues values(c.Values);
  for (const auto& [list, text] : c.ListItems) ASSERT_TRUE(ParseListItem(row, list, text, values));
  const TSelectionTest test = docs.SelectionTest();
  TSelectionClass none;
  const TSelectionTest all(none, img, {});
  NullProgress progress;
  const TBitmap part = row.Run(EffectInput{img, test, progress}, values, 1);
  const TBitmap whole = row.Run(EffectInput{img, all, progress}, values, 1);
  int changed = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      if (!test.InSelection(x, y)) {
        ASSERT_EQ(part.Pixel(x, y), img.Pixel(x, y)) << x << "," << y;
      } else if (c.SameInside) {
        ASSERT_EQ(part.Pixel(x, y), whole.Pixel(x, y)) << x << "," << y;
      }
      changed += part.Pixel(x, y) != img.Pixel(x, y);
    }
  EXPECT_GT(changed, c.ByColor ? 10 : 100);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SelectionInEffects,
    ::testing::Values(
        SelectionCase{"adjust-brightness", {{"overall", 100}}, {}, true},
        SelectionCase{"red-wax", {}},
        SelectionCase{"sharpen", {}},
        SelectionCase{"fourier-transform", {{"normalize", 1}}},
        SelectionCase{"fourier-transform", {{"orientation", 1}, {"normalize", 1}}},
        SelectionCase{"wavelet-transform", {{"iterations", 2}}},
        SelectionCase{"wavelet-transform", {{"orientation", 1}, {"filter", 1}}},
        SelectionCase{"light-and-darkness", {}, {{"light", "0,0,0,0,-1,-1,2000,100,100,100"}},
                      false, false}),
    [](const auto& info) { return std::to_string(info.index); });
