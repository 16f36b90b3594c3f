// The red-eye and buttonize dialogs on a document: preview, OK with its
// recompute rule, undo.
#include <gtest/gtest.h>

#include <QLabel>
#include <QSpinBox>

#include "editor/model/DocumentList.h"
#include "effects/ui/EffectForms.h"
#include "support/QuietDocumentHost.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

class RetouchForms : public ::testing::Test {
 protected:
  QuietHost host;
  DocumentList docs{host};
  void SetUp() override {
    docs.NewImage(90, 60);
    TBitmap& b = *docs.Current().Bitmap;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 90; ++x)
        b.SetPixel(x, y,
                   (x - 45) * (x - 45) + (y - 30) * (y - 30) < 25 ? RGBColor(210, 40, 30)
                                                                  : RGBColor(90, 90, 90));
  }
  std::unique_ptr<TParamEffectForm> Form(const char* effect) {
    return CreateEffectForm(*FindEffect(effect), docs, nullptr);
  }
};

}  // namespace

TEST_F(RetouchForms, RedEyePreviewApplyUndo) {
  auto form = Form("red-eye-removal");
  EXPECT_EQ(form->windowTitle(), "Red Eye Removal");
  EXPECT_EQ(form->findChild<QLabel*>("Label4")->text(), "It often fails to detect the red eyes.");
  const TBitmap before = *docs.Current().Bitmap;
  form->show();
  form->PreviewButtonClick();
  const TBitmap preview = docs.DisplayedRaster();
  EXPECT_LT(preview.ScanLine(30)[3 * 45 + 2], 100) << "the pupil lost its red";
  EXPECT_EQ(preview.Pixel(5, 5), before.Pixel(5, 5));
  form->OKButtonClick();
  EXPECT_EQ(*docs.Current().Bitmap, preview) << "OK applies the preview";
  docs.LMUndo1Click();
  EXPECT_EQ(*docs.Current().Bitmap, before);
}

TEST_F(RetouchForms, ButtonizeReusesThePreviewOfTheSameValues) {
  auto form = Form("buttonize-posterize");
  auto* border = form->findChild<QSpinBox*>("BorderSizeSpinEdit");
  border->setValue(77);
  form->show();
  EXPECT_EQ(border->value(), 10) << "(90 + 60) div 30 is below 10";
  const TBitmap before = *docs.Current().Bitmap;
  form->PreviewButtonClick();
  const TBitmap preview = docs.DisplayedRaster();
  EXPECT_NE(preview, before);
  border->setValue(12);
  border->setValue(10);
  form->OKButtonClick();
  EXPECT_EQ(*docs.Current().Bitmap, preview) << "the values of the preview: no new draws";

  form->show();
  form->PreviewButtonClick();
  const TBitmap second = docs.DisplayedRaster();
  form->SetValue("posterize", 1);
  form->OKButtonClick();
  EXPECT_NE(*docs.Current().Bitmap, second) << "a changed value computes again";
  EXPECT_EQ(docs.Current().UndoDepth(), 2);
  docs.LMUndo1Click();
  docs.LMUndo1Click();
  EXPECT_EQ(*docs.Current().Bitmap, before);
}
