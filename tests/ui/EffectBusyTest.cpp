// Preview, OK and Cancel pressed while an effect dialog computes (the
// progress window handles events inside the computation): they are refused
// and the running computation keeps its progress window, Abort and Busy.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <vector>

#include "EffectWindow.h"
#include "base/Progress.h"
#include "effects/ui/BaseEffectForm.h"
#include "effects/ui/ProgressForm.h"
#include "support/ShownMessages.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

// Paints pixel (0,0) white in three reported steps; While runs once, inside
// the first step, as a click handled by the progress window would.
class ProbeForm : public TBaseEffectForm {
 public:
  using TBaseEffectForm::TBaseEffectForm;
  std::function<void()> While;
  int Runs = 0;

 protected:
  TBitmap ComputeEffect(const EffectInput& in) override {
    ++Runs;
    for (int i = 0; i < 3; ++i) {
      ReportProgress(in.Progress, i, "Probe", 3);
      if (While) std::exchange(While, nullptr)();
    }
    TBitmap out = in.Source;
    out.SetPixel(0, 0, RGBColor(255, 255, 255));
    return out;
  }
};

class EffectBusyTest : public EffectWindow {
 protected:
  EffectRow row{.Caption = "Probe", .FormName = "ProbeForm", .FormCaption = "Probe"};
  lumarte::fixtures::ShownMessages shown;

  void SetUp() override {
    EffectWindow::SetUp();
    window->Docs.NewImage(4, 3);
    window->Docs.Current().Bitmap->SetPixel(0, 0, RGBColor(10, 20, 30));
    window->Docs.Current().Modified = false;
  }
  uint32_t Shown() const { return window->Docs.DisplayedRaster().Pixel(0, 0); }
};

TEST_F(EffectBusyTest, PreviewOkCancelDuringComputationAreRefused) {
  ProbeForm form(row, window->Docs, window.get());
  form.show();
  TProgress& progress = TProgress::Instance();
  const uint32_t original = window->Docs.Current().Bitmap->Pixel(0, 0);

  // Phase 1: the refused buttons leave the computation to end normally.
  form.While = [&] {
    form.PreviewButton->click();
    form.OKButton->click();
    EXPECT_TRUE(progress.isVisible());
    EXPECT_TRUE(form.Session.Busy);
    form.CancelButton->click();
    EXPECT_TRUE(form.isVisible()) << "Cancel must stay blocked";
    EXPECT_TRUE(form.Session.Busy);
  };
  form.PreviewButton->click();
  EXPECT_EQ(form.Runs, 1);
  EXPECT_TRUE(shown.Texts.empty()) << shown.Texts.front();
  EXPECT_FALSE(progress.isVisible());
  EXPECT_FALSE(form.Session.Busy);
  EXPECT_TRUE(window->Docs.PreviewActive());
  EXPECT_EQ(Shown(), RGBColor(255, 255, 255));

  // Phase 2: after a refused OK, Abort still reaches the running computation.
  form.While = [&] {
    form.OKButton->click();
    progress.Button1->click();
    EXPECT_NE(progress.Edit1->text().toStdString(), "Sorry, Abort not supported by this function!");
  };
  form.PreviewButton->click();
  EXPECT_EQ(form.Runs, 2);
  EXPECT_TRUE(shown.Texts.empty()) << shown.Texts.front();
  EXPECT_TRUE(form.Session.Aborted);
  EXPECT_FALSE(form.Session.Busy);
  EXPECT_FALSE(form.Session.HasResult);
  EXPECT_EQ(Shown(), original) << "an aborted preview shows the document";
  EXPECT_EQ(window->Docs.Current().UndoDepth(), 0);

  form.CancelButton->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(window->Docs.Current().Bitmap->Pixel(0, 0), original);
}

}  // namespace
