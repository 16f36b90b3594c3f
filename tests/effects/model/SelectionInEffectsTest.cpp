#include <gtest/gtest.h>

#include "editor/model/DocumentList.h"
#include "effects/model/EffectTable.h"
#include "base/Progress.h"
#include "support/QuietDocumentHost.h"

using namespace lumarte::editor;
using namespace lumarte;
using namespace lumarte::effects;

// An effect sees the document's shape and colour gate through the selection
// test: only pixels inside a circle and of the reference colour change.
TEST(SelectionInEffects, BrightnessKeepsToTheSelection) {
  QuietHost host;
  DocumentList docs(host);
  docs.NewImage(20, 20);  // white
  TBitmap& img = *docs.Current().Bitmap;
  for (int x = 0; x < 20; ++x) img.SetPixel(x, 10, RGBColor(100, 100, 100));
  TSelectionClass& s = *docs.Current().Selection;
  s.Kind = SelKind::Circle;
  s.X1 = 10, s.Y1 = 10, s.X2 = s.Y2 = 4;
  s.ByColor = true;
  docs.SelectByColor = {100, 100, 100, 1};
  const TSelectionTest test = docs.SelectionTest();
  NullProgress progress;
  TBitmap out = FindEffect("adjust-brightness")
                    ->Run(EffectInput{img, test, progress}, ParamValues({{"overall", 100}}), 1);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      bool changed = out.Pixel(x, y) != img.Pixel(x, y);
      EXPECT_EQ(changed, y == 10 && x >= 6 && x <= 14) << x << "," << y;
    }
}
