// The Fourier and wavelet rows as the dialogs and the command line run them:
// the selection bounds the change, and an abort leaves the document as it was.
#include <gtest/gtest.h>

#include "FrequencyReference.h"
#include "editor/model/DocumentList.h"
#include "effects/model/EffectSession.h"
#include "effects/model/EffectTable.h"
#include "support/QuietDocumentHost.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

struct RowCase {
  std::string Effect;
  std::map<std::string, double> Values;
};

// Abort pressed while the first report shows.
struct AbortFirst : ProgressReporter {
  int Reports = 0;
  void SetProgress(int, int, const std::string&, int) override { ++Reports; }
  bool AbortRequested() const override { return Reports >= 1; }
};

class FrequencyRows : public ::testing::TestWithParam<RowCase> {
 protected:
  QuietHost host;
  DocumentList docs{host};
  void SetUp() override {
    docs.NewImage(1, 1);
    *docs.Current().Bitmap = reference::Photo(60, 40);
  }
  TBitmap RunRow() {
    const TSelectionTest sel = docs.SelectionTest();
    NullProgress quiet;
    return FindEffect(GetParam().Effect)
        ->Run(EffectInput{*docs.Current().Bitmap, sel, quiet}, ParamValues(GetParam().Values), 1);
  }
};

}  // namespace

TEST_P(FrequencyRows, KeepsToTheSelection) {
  const TBitmap src = *docs.Current().Bitmap;
  TSelectionClass& s = *docs.Current().Selection;
  s.Kind = SelKind::Circle;
  s.X1 = 30, s.Y1 = 20, s.X2 = s.Y2 = 12;
  const TBitmap out = RunRow();
  const TSelectionTest sel = docs.SelectionTest();
  int changed = 0;
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) {
      if (!sel.InSelection(x, y)) ASSERT_EQ(out.Pixel(x, y), src.Pixel(x, y)) << x << "," << y;
      changed += out.Pixel(x, y) != src.Pixel(x, y);
    }
  EXPECT_GT(changed, 100);
}

TEST_P(FrequencyRows, AbortLeavesTheDocumentUnchanged) {
  const TBitmap before = *docs.Current().Bitmap;
  const EffectRow& row = *FindEffect(GetParam().Effect);
  AbortFirst progress;
  EffectSession session(docs, row.Policy, [&](const EffectInput& in) {
    return row.Run(in, ParamValues(GetParam().Values), 1);
  });
  session.Progress = &progress;
  session.Show();
  EXPECT_FALSE(session.OKButtonClick());
  EXPECT_TRUE(session.Aborted);
  EXPECT_EQ(*docs.Current().Bitmap, before);
  EXPECT_EQ(docs.Current().UndoDepth(), 0);
  EXPECT_FALSE(docs.Current().Modified);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FrequencyRows,
    ::testing::Values(RowCase{"fourier-transform", {}},
                      RowCase{"fourier-transform", {{"orientation", 1}, {"normalize", 1}}},
                      RowCase{"wavelet-transform", {{"iterations", 2}}},
                      RowCase{"wavelet-transform", {{"orientation", 1}, {"filter", 1}}}),
    [](const auto& info) { return std::to_string(info.index); });
