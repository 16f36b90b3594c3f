// The long effects watch the Abort button while they report progress: pressed
// during the first report, the row stops there with "Aborted" (the effect
// session then leaves the document as it was, see EffectSessionTest).
#include <gtest/gtest.h>

#include "FrequencyReference.h"
#include "effects/model/EffectTable.h"
#include "support/AbortingProgress.h"
#include "support/ErrorMessage.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

struct AbortCase {
  std::string Effect;
  std::map<std::string, double> Values;
  std::string Title;  // of the progress display
};

class EffectAbort : public ::testing::TestWithParam<AbortCase> {};

}  // namespace

TEST_P(EffectAbort, StopsAtTheFirstReport) {
  const AbortCase& c = GetParam();
  const TBitmap src = reference::Photo(60, 40);
  TSelectionClass none;
  const TSelectionTest all(none, src, {});
  fixtures::AbortingProgress progress(1);
  EXPECT_EQ(Message([&] {
              FindEffect(c.Effect)->Run(EffectInput{src, all, progress}, ParamValues(c.Values), 1);
            }),
            "Aborted");
  ASSERT_EQ(progress.Reports.size(), 1u);
  EXPECT_EQ(progress.Reports[0].Text, c.Title);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EffectAbort,
    ::testing::Values(
        AbortCase{"fourier-transform", {}, "Fourier Transform Filter"},
        AbortCase{"fourier-transform", {{"orientation", 1}, {"normalize", 1}},
                  "Fourier Transform Filter"},
        AbortCase{"wavelet-transform", {{"iterations", 2}}, "Wavelet Transform"},
        AbortCase{"wavelet-transform", {{"orientation", 1}, {"filter", 1}}, "Wavelet Transform"},
        AbortCase{"moving-average-unsharpen-and-edge-detection", {{"width", 2}},
                  "Moving Average Filter"},
        AbortCase{"pinch-punch", {}, "Pinch & Punch"}),
    [](const auto& info) { return std::to_string(info.index); });
