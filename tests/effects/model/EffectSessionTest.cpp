#include <gtest/gtest.h>

#include "editor/model/DocumentList.h"
#include "effects/model/EffectSession.h"
#include "effects/model/EffectTable.h"
#include "support/ErrorMessage.h"
#include "support/QuietDocumentHost.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

// An effect that adds one to the red byte of pixel (0,0) and counts its runs;
// it can also be told to ask for an abort midway, as the Abort button does.
struct CountingEffect {
  int Runs = 0;
  bool AbortMidway = false;
  EffectSession* Session = nullptr;
  TBitmap operator()(const EffectInput& in) {
    ++Runs;
    if (AbortMidway) {
      Session->Abort();
      ReportProgress(in.Progress, 1, "Test", 2);
    }
    TBitmap out = in.Source;
    out.SetPixel(0, 0, in.Source.Pixel(0, 0) + 1);
    return out;
  }
};

class EffectSessionTest : public ::testing::TestWithParam<RecomputePolicy> {
 protected:
  QuietHost host;
  DocumentList docs{host};
  CountingEffect effect;
  EffectSession session{docs, GetParam(), [this](const EffectInput& in) { return effect(in); }};
  void SetUp() override {
    docs.NewImage(2, 2);
    docs.Current().Bitmap->SetPixel(0, 0, 10);
    effect.Session = &session;
    session.Show();
  }
  TColor Shown() const { return docs.DisplayedRaster().Pixel(0, 0); }
  TColor Document() const { return docs.Current().Bitmap->Pixel(0, 0); }
};

}  // namespace

TEST_P(EffectSessionTest, OkWithoutPreviewComputesOnceWithOneUndoStep) {
  EXPECT_TRUE(session.OKButtonClick());
  EXPECT_EQ(effect.Runs, 1);
  EXPECT_EQ(Document(), 11u);
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
  EXPECT_TRUE(docs.Current().Modified);
  EXPECT_FALSE(session.HasResult);
}

TEST_P(EffectSessionTest, OkAfterPreviewRecomputesOnlyWhenAlways) {
  session.PreviewButtonClick();
  session.PreviewButtonClick();
  EXPECT_EQ(Shown(), 11u) << "not 12: the first preview is not the input";
  EXPECT_EQ(Document(), 10u);
  session.OKButtonClick();
  EXPECT_EQ(effect.Runs, GetParam() == RecomputePolicy::Always ? 3 : 2);
  EXPECT_EQ(Document(), 11u);
  EXPECT_EQ(Shown(), 11u);
}

TEST_P(EffectSessionTest, ChangedControlMakesOkRecompute) {
  session.PreviewButtonClick();
  session.Invalidate();
  EXPECT_TRUE(session.PreviewShown);
  session.OKButtonClick();
  EXPECT_EQ(effect.Runs, 2);
}

TEST_P(EffectSessionTest, PreviewThenCancelLeavesNoTrace) {
  session.PreviewButtonClick();
  session.CancelButtonClick();
  EXPECT_EQ(Shown(), 10u);
  EXPECT_EQ(docs.Current().UndoDepth(), 0);
  EXPECT_FALSE(docs.Current().Modified);
  EXPECT_FALSE(session.HasResult || session.PreviewShown);
}

TEST_P(EffectSessionTest, AbortThenOkAppliesNothing) {
  effect.AbortMidway = true;
  EXPECT_FALSE(session.OKButtonClick());
  EXPECT_TRUE(session.Aborted);
  EXPECT_FALSE(docs.Current().Modified);
  session.Show();
  session.PreviewButtonClick();
  EXPECT_TRUE(session.Aborted);
  EXPECT_FALSE(session.HasResult);
  EXPECT_EQ(Shown(), 10u);
  EXPECT_FALSE(session.OKButtonClick());
  EXPECT_EQ(Document(), 10u);
  EXPECT_EQ(docs.Current().UndoDepth(), 0);
}

TEST_P(EffectSessionTest, SecondComputationWhileBusyIsRefused) {
  session.Busy = true;
  EXPECT_EQ(Message([&] { session.PreviewButtonClick(); }), "") << "a silent refusal";
  session.CancelButtonClick();  // ignored while busy
  EXPECT_TRUE(session.Busy);
}

// Abort pressed just after the filter finished: the preview and OK keep the
// finished result.
TEST_P(EffectSessionTest, AbortAfterTheFilterFinishedKeepsTheResult) {
  const EffectRow& row = *FindEffect("sharpen");
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) docs.Current().Bitmap->SetPixel(x, y, (x + 2 * y) * 60);
  const TBitmap before = *docs.Current().Bitmap;
  EffectSession filter{docs, GetParam(), [&](const EffectInput& in) {
                         TBitmap out = row.Run(in, {}, 1);
                         filter.Abort();
                         return out;
                       }};
  filter.Show();
  filter.PreviewButtonClick();
  EXPECT_FALSE(filter.Aborted);
  EXPECT_TRUE(filter.HasResult);
  ASSERT_TRUE(docs.PreviewActive());
  EXPECT_NE(docs.DisplayedRaster(), before);
  EXPECT_TRUE(filter.OKButtonClick());
  EXPECT_NE(*docs.Current().Bitmap, before);
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
}

INSTANTIATE_TEST_SUITE_P(Policies, EffectSessionTest,
                         ::testing::Values(RecomputePolicy::Always, RecomputePolicy::ReusePreview),
                         [](const auto& info) {
                           return info.param == RecomputePolicy::Always ? "Always" : "Reuse";
                         });
