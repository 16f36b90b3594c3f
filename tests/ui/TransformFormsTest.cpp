// The transform dialogs: each opens from its menu item, previews, applies
// as one undo step and is undone; Resize is a plain dialog of its own.
#include <gtest/gtest.h>

#include <set>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "editor/ui/ImageView.h"
#include "editor/ui/MainWindow.h"
#include "effects/model/EffectTable.h"
#include "effects/ui/ParamEffectForm.h"
#include "effects/ui/ResizeForm.h"
#include "support/FakePrompts.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

class TransformWindow : public ::testing::Test {
 protected:
  lumarte::fixtures::FakePrompts prompts;
  TForm1 window{&prompts};
  void SetUp() override {
    window.Docs.NewImage(12, 8);
    TBitmap& b = *window.Docs.Current().Bitmap;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 12; ++x)
        b.SetPixel(
            x, y,
            RGBColor(static_cast<uint8_t>(40 + 15 * x), static_cast<uint8_t>(40 + 20 * y), 90));
  }
  void TearDown() override {
    for (int k = 0; k < kSlotCount; ++k) window.Docs.Slot(k).Modified = false;
  }
  void Trigger(const char* name) {
    QAction* a = window.findChild<QAction*>(name);
    ASSERT_NE(a, nullptr) << name;
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
  }
  TBitmap& Image() { return *window.Docs.Current().Bitmap; }
};

struct DialogCase {
  std::string Effect, Menu, Caption;
  std::map<std::string, double> Values;
  int Width, Height;  // the result's size
};

class TransformDialog : public TransformWindow, public ::testing::WithParamInterface<DialogCase> {};

}  // namespace

TEST_P(TransformDialog, PreviewApplyUndo) {
  const DialogCase& c = GetParam();
  Trigger(c.Menu.c_str());
  TParamEffectForm* form = window.EffectForm(*FindEffect(c.Effect));
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->isModal());
  EXPECT_EQ(form->windowTitle().toStdString(), c.Caption);
  for (const auto& [name, v] : c.Values) form->SetValue(name, v);
  const TBitmap before = Image();

  form->PreviewButtonClick();
  ASSERT_TRUE(window.Docs.PreviewActive());
  EXPECT_FALSE(window.Docs.DisplayedRaster() == before);
  EXPECT_EQ(window.View->ZoomedSize(), QSize(c.Width, c.Height)) << "the view shows the preview";
  form->CancelButtonClick();
  EXPECT_EQ(Image(), before);
  EXPECT_EQ(window.View->ZoomedSize(), QSize(12, 8));

  Trigger(c.Menu.c_str());
  for (const auto& [name, v] : c.Values) form->SetValue(name, v);  // showing resets the sizes
  form->OKButtonClick();
  EXPECT_FALSE(Image() == before);
  EXPECT_EQ(Image().Width(), c.Width);
  EXPECT_EQ(Image().Height(), c.Height);
  EXPECT_EQ(window.Docs.Current().UndoDepth(), 1);
  EXPECT_TRUE(window.Docs.Current().Modified);
  window.LMUndo1Click();
  EXPECT_EQ(Image(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, TransformDialog,
    ::testing::Values(
        DialogCase{"rotate", "LMRotateandMirror1", "Rotate", {{"angle", 90}}, 12, 8},
        DialogCase{"rotate",
                   "LMRotateandMirror1",
                   "Rotate",
                   {{"angle", 90}, {"overwrite-unselected-and-resize-if-necessary", 1}},
                   12,
                   12},
        DialogCase{"enlarge-canvas",
                   "LMEnlargeCanvas1",
                   "Enlarge Canvas",
                   {{"width", 20}, {"height", 9}, {"alignment", 1}},
                   20,
                   9},
        DialogCase{"distortion", "LMDistort1", "Distortion", {{"threshold", 10}}, 12, 8},
        DialogCase{"pinch-punch", "LMPinchPuch1", "Pinch & Punch", {{"position", 150}}, 12, 8}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(TransformWindow, RotateAngleFieldWrapsAndRestores) {
  Trigger("LMRotateandMirror1");
  TParamEffectForm* form = window.EffectForm(*FindEffect("rotate"));
  auto* edit = form->findChild<QLineEdit*>("Edit1");
  auto* slider = form->findChild<QSlider*>("TrackBar1");
  ASSERT_TRUE(edit && slider);
  for (auto [typed, angle, shown] : {std::tuple{"400", 40, "40"},
                                     {"-30", 330, "330"},
                                     {"abc", 330, "330"},
                                     {"12.5", 330, "330"}}) {
    edit->setText(typed);
    emit edit->editingFinished();
    EXPECT_EQ(slider->value(), angle) << typed;
    EXPECT_EQ(edit->text(), shown) << typed;
  }
  slider->setValue(7);
  EXPECT_EQ(edit->text(), "7");
  EXPECT_TRUE(form->findChild<QPushButton*>("RTSelectColorsButton")->isEnabled())
      << "the window's colour dialog is reachable";
  form->CancelButtonClick();
}

TEST_F(TransformWindow, EnlargeCanvasStartsAtTheImageSize) {
  Trigger("LMEnlargeCanvas1");
  TParamEffectForm* form = window.EffectForm(*FindEffect("enlarge-canvas"));
  auto* width = form->findChild<QSpinBox*>("WidthSpinEdit");
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->value(), 12);
  EXPECT_EQ(width->minimum(), 12);
  EXPECT_EQ(form->findChild<QSpinBox*>("HeightSpinEdit")->minimum(), 8);
  width->setValue(30);
  EXPECT_EQ(form->findChild<QLabel*>("WidthLabel")->text(), "+18");
  EXPECT_EQ(form->findChild<QLabel*>("HeightLabel")->text(), "+0");
  width->setValue(3);
  EXPECT_EQ(width->value(), 12) << "not below the image's size";
  // Every number field is named by a label beside it.
  std::set<QWidget*> named;
  for (QLabel* label : form->findChildren<QLabel*>()) named.insert(label->buddy());
  for (QSpinBox* spin : form->findChildren<QSpinBox*>())
    EXPECT_TRUE(named.count(spin)) << spin->objectName().toStdString();
  form->CancelButtonClick();
}

TEST_F(TransformWindow, ResizeIsAPlainDialogOnCtrlR) {
  QAction* item = window.findChild<QAction*>("LMResize2");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->shortcut().toString(), "Ctrl+R");
  Trigger("LMResize2");
  auto* form = window.findChild<TResizeForm*>("TResizeForm");
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->windowTitle(), "Resize");
  EXPECT_EQ(form->WidthEdit->text(), "12");
  EXPECT_EQ(form->HeightPercent->text(), "100");

  form->WidthEdit->setText("3");
  emit form->WidthEdit->textEdited("3");
  EXPECT_EQ(form->WidthPercent->text(), "25");
  form->HeightPercent->setText("50");
  emit form->HeightPercent->textEdited("50");
  EXPECT_EQ(form->HeightEdit->text(), "4");

  const TBitmap before = Image();
  form->HeightEdit->setText("x");
  form->RSResizeClick();
  EXPECT_EQ(Image(), before) << "a size that is not a number does nothing";
  form->WidthEdit->setText("6");
  form->RSUseWidthClick();  // 8 * 6 / 12
  EXPECT_FALSE(form->isVisible());
  ASSERT_EQ(Image().Width(), 6);
  ASSERT_EQ(Image().Height(), 4);
  EXPECT_EQ(Image().Pixel(5, 3), before.Pixel(10, 6));
  EXPECT_EQ(window.View->ZoomedSize(), QSize(6, 4));
  EXPECT_EQ(window.Docs.Current().UndoDepth(), 1);
  window.LMUndo1Click();
  EXPECT_EQ(Image(), before);

  Trigger("LMResize2");
  EXPECT_EQ(window.findChild<TResizeForm*>("TResizeForm"), form) << "made once";
  EXPECT_EQ(form->WidthEdit->text(), "12");
  form->RSCancelButton1->click();
  EXPECT_FALSE(form->isVisible());
}
