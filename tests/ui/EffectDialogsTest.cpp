// The effect dialogs in the main window: every row's menu items open its
// dialog (made once, modal) on an open image and nothing without one; each
// dialog previews, cancels, applies as one undo step and is undone with the
// view following the image's size. Then the controls with a behaviour of
// their own.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <numbers>
#include <set>

#include "EffectWindow.h"
#include "effects/ui/ResizeForm.h"
#include "platform/Clipboard.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

// "add-noise" -> "add_noise": a case name GoogleTest accepts.
std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// The rows on a menu, with or without a dialog of their own.
std::vector<std::string> MenuEffects(bool withDialog) {
  std::vector<std::string> names;
  for (const EffectRow& row : EffectTable())
    if (row.FormName.empty() != withDialog && !row.MenuItems.empty()) names.push_back(row.Name);
  return names;
}

class EveryDialog : public EffectWindow, public ::testing::WithParamInterface<std::string> {};

}  // namespace

TEST_P(EveryDialog, MenuItemsOpenOneModalDialogKeptForLater) {
  const EffectRow& row = *FindEffect(GetParam());
  for (const auto& item : row.MenuItems) Trigger(item);
  EXPECT_EQ(window->EffectForm(row), nullptr) << "no image: nothing opens";

  OpenPattern();
  for (const auto& item : row.MenuItems) {
    Trigger(item);
    TParamEffectForm* form = window->EffectForm(row);
    ASSERT_NE(form, nullptr) << item;
    EXPECT_TRUE(form->isVisible()) << item;
    EXPECT_TRUE(form->isModal()) << item;
    EXPECT_EQ(form->windowTitle().toStdString(), row.FormCaption);
    form->CancelButtonClick();
    Trigger(item);
    EXPECT_EQ(window->EffectForm(row), form) << "the dialog is kept";
    form->CancelButtonClick();
  }
}

// Captioned track bars start in one column, their value fields keep their
// width at either end of the range, and the dialog has no empty band.
TEST_P(EveryDialog, SlidersAlignedAndDialogFitsItsControls) {
  OpenPattern();
  TParamEffectForm* form = Open(GetParam());
  EXPECT_EQ(form->height(), form->sizeHint().height());
  std::set<int> lefts;
  for (const auto& p : form->Row.Params) {
    auto* slider = form->findChild<QSlider*>(QString::fromStdString(p.Control));
    if (p.Kind != ControlKind::Slider || p.Caption.empty() || !slider) continue;
    auto* caption = slider->parentWidget()->findChild<QLabel*>();
    if (!caption || !caption->isVisible()) continue;  // placed by the dialog itself
    lefts.insert(slider->mapTo(form, QPoint(0, 0)).x());
    const int width = slider->width();
    for (double v : {p.Min, p.Max}) {
      form->SetValue(p.Name, v);
      EXPECT_EQ(slider->width(), width) << p.Name << " moves at " << v;
    }
  }
  EXPECT_LE(lefts.size(), 1u);
  form->CancelButtonClick();
}

INSTANTIATE_TEST_SUITE_P(Rows, EveryDialog, ::testing::ValuesIn(MenuEffects(true)), TestName);

namespace {

// The settings that make each dialog visibly change the pattern.
struct ChangeCase {
  std::string Effect;
  std::map<std::string, double> Values;
};

class DialogChanges : public EffectWindow, public ::testing::WithParamInterface<ChangeCase> {};

}  // namespace

TEST_P(DialogChanges, PreviewCancelThenApplyAndUndo) {
  const ChangeCase& c = GetParam();
  OpenPattern();
  Image().SetPixel(5, 4, RGBColor(220, 30, 20));  // a pupil for red-eye removal
  lumarte::platform::SetClipboardPicture(TBitmap(3, 2));  // unlike the pattern's corner
  TParamEffectForm* form = Open(c.Effect);
  ASSERT_NE(form, nullptr);
  for (const auto& [name, v] : c.Values) form->SetValue(name, v);
  const TBitmap before = Image();

  form->PreviewButtonClick();
  ASSERT_TRUE(window->Docs.PreviewActive());
  EXPECT_FALSE(window->Docs.DisplayedRaster() == before);
  EXPECT_EQ(window->View->ZoomedSize(), ImageSize(window->Docs.DisplayedRaster()))
      << "the view shows the preview";
  form->CancelButtonClick();
  EXPECT_FALSE(window->Docs.PreviewActive());
  EXPECT_EQ(Image(), before);
  EXPECT_EQ(window->View->ZoomedSize(), ImageSize(before));

  // Undoing back to the image shows OK went through the session, whose undo step is pinned.
  Open(c.Effect);
  for (const auto& [name, v] : c.Values) form->SetValue(name, v);  // showing resets some
  form->OKButtonClick();
  EXPECT_FALSE(Image() == before);
  EXPECT_EQ(window->View->ZoomedSize(), ImageSize(Image()));
  window->LMUndo1Click();
  EXPECT_EQ(Image(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogChanges,
    ::testing::Values(
        ChangeCase{"adjust-brightness", {{"red", 50}}},
        ChangeCase{"adjust-contrast", {{"brightness", 40}}},
        ChangeCase{"gamma-correction", {}}, ChangeCase{"hue-and-saturaton", {{"hue", 60}}},
        ChangeCase{"switch-colors", {{"red", 2}}}, ChangeCase{"athmosphere", {{"intensity", 90}}},
        ChangeCase{"add-noise", {{"intensity", 80}}},
        ChangeCase{"moving-average-unsharpen-and-edge-detection", {{"width", 2}}},
        ChangeCase{"motion-blur", {}}, ChangeCase{"sharpen", {{"intensity", 7}}},
        ChangeCase{"fourier-transform", {{"cut-off", 20}}},
        ChangeCase{"wavelet-transform", {{"iterations", 2}}},
        ChangeCase{"rotate", {{"angle", 90}}},
        ChangeCase{"rotate", {{"angle", 90}, {"overwrite-unselected-and-resize-if-necessary", 1}}},
        ChangeCase{"enlarge-canvas", {{"width", 20}, {"height", 9}, {"alignment", 1}}},
        ChangeCase{"distortion", {{"threshold", 10}}},
        ChangeCase{"pinch-punch", {{"position", 150}}}, ChangeCase{"buttonize-posterize", {}},
        ChangeCase{"light-and-darkness", {}}, ChangeCase{"stochastic-luminance", {}},
        ChangeCase{"paste-insert", {}}, ChangeCase{"red-eye-removal", {}}),
    [](const auto& info) { return std::to_string(info.index); });

namespace {

class DirectCommand : public EffectWindow, public ::testing::WithParamInterface<std::string> {};

}  // namespace

// The items without a dialog run at once as one undo step; the view follows
// a turned image.
TEST_P(DirectCommand, RunsOnceAndUndoes) {
  const EffectRow& row = *FindEffect(GetParam());
  Trigger(row.MenuItems.at(0));
  EXPECT_FALSE(window->Docs.Current().InUse) << "no image: nothing happens";

  OpenPattern();
  const TBitmap before = Image();
  Trigger(row.MenuItems.at(0));
  EXPECT_EQ(window->EffectForm(row), nullptr);
  // These touch only pixels of one chosen colour, which the pattern lacks.
  static const std::set<std::string> colourGated = {"pixels-with-color-in-tci-bgcolor",
                                                    "pixels-with-color-in-tci-transparent-color",
                                                    "as-long-as-pixels-are-of-the-same-color"};
  if (!colourGated.count(row.Name)) EXPECT_FALSE(Image() == before);
  EXPECT_EQ(window->Docs.Current().UndoDepth(), 1);
  EXPECT_TRUE(window->Docs.Current().Modified);
  EXPECT_EQ(window->View->ZoomedSize(), ImageSize(Image()));
  window->LMUndo1Click();
  EXPECT_EQ(Image(), before);
}

INSTANTIATE_TEST_SUITE_P(Rows, DirectCommand, ::testing::ValuesIn(MenuEffects(false)), TestName);

TEST_F(EffectWindow, SplitOpensThreeImages) {
  OpenPattern(4, 3);
  Trigger("LMRGBSplitImage1");
  int open = 0;
  for (int k = 0; k < kSlotCount; ++k) open += window->Docs.Slot(k).InUse;
  EXPECT_EQ(open, 4);
  EXPECT_EQ(Image().Pixel(1, 2), RGBColor(0, 0, 1 ^ 2));
  EXPECT_EQ(window->Docs.Current().FileName, "New");
}

TEST_F(EffectWindow, MotionBlurPickerSetsDirection) {
  using std::numbers::pi;
  OpenPattern();
  TParamEffectForm* form = Open("motion-blur");
  const EffectParam& direction = FindEffect("motion-blur")->Param("direction");
  QWidget* picker = form->findChild<QWidget*>("Image2");
  ASSERT_NE(picker, nullptr);
  form->PreviewButtonClick();
  const QPoint centre(picker->width() / 2, picker->height() / 2);
  QTest::mousePress(picker, Qt::LeftButton, {}, centre + QPoint(10, 10));
  EXPECT_DOUBLE_EQ(form->Values().Get(direction), pi / 4);
  EXPECT_FALSE(form->Session.HasResult) << "a new direction needs a new result";
  QTest::mouseRelease(picker, Qt::LeftButton, {}, centre + QPoint(10, 10));
  // Straight above the centre: a press changes nothing.
  QTest::mousePress(picker, Qt::LeftButton, {}, centre + QPoint(0, -8));
  EXPECT_DOUBLE_EQ(form->Values().Get(direction), pi / 4);
  QTest::mouseRelease(picker, Qt::LeftButton, {}, centre + QPoint(0, -8));
  form->CancelButtonClick();
}

// The Fourier and wavelet dialogs (whose controls are made as every
// dialog's): track bars and spin edits move together, and every control
// makes the previewed result stale.
TEST_F(EffectWindow, FrequencyDialogControlsClearTheResult) {
  OpenPattern();
  for (const char* effect : {"fourier-transform", "wavelet-transform"}) {
    TParamEffectForm* form = Open(effect);
    for (auto [track, edit] : {std::pair{"TrackBar1", "SpinEdit1"}, {"TrackBar2", "SpinEdit2"}}) {
      auto* t = form->findChild<QSlider*>(track);
      auto* e = form->findChild<QSpinBox*>(edit);
      if (!t) continue;
      e->setValue(55);
      EXPECT_EQ(t->value(), 55) << effect;
      t->setValue(7);
      EXPECT_EQ(e->value(), 7) << effect;
    }
    std::vector<std::function<void()>> changes;
    for (auto* w : form->findChildren<QSlider*>()) changes.push_back([w] { w->setValue(w->value() % 90 + 3); });
    for (auto* w : form->findChildren<QSpinBox*>()) changes.push_back([w] { w->setValue(w->value() % 9 + 2); });
    for (auto* w : form->findChildren<QComboBox*>()) changes.push_back([w] { w->setCurrentIndex(1 - w->currentIndex()); });
    for (auto* w : form->findChildren<QAbstractButton*>())
      if (!qobject_cast<QPushButton*>(w) && !(qobject_cast<QRadioButton*>(w) && w->isChecked()))
        changes.push_back([w] { w->click(); });
    EXPECT_GE(changes.size(), 6u) << effect;
    for (auto& change : changes) {
      form->PreviewButtonClick();
      ASSERT_TRUE(form->Session.HasResult) << effect;
      change();
      EXPECT_FALSE(form->Session.HasResult) << effect;
    }
    form->CancelButtonClick();
  }
}

TEST_F(EffectWindow, ToneDialogHelpers) {
  OpenPattern();
  TParamEffectForm* gamma = Open("gamma-correction");
  EXPECT_EQ(gamma->findChild<QLabel*>("Label1")->text(), "2.42 (values from 1.3 to 3.3)");
  gamma->CancelButtonClick();

  TParamEffectForm* hsv = Open("hue-and-saturaton");
  hsv->SetValue("hue", 40);
  hsv->findChild<QPushButton*>("Button1")->click();
  EXPECT_EQ(hsv->Values().Get(FindEffect("hue-and-saturaton")->Param("hue")), 0);
  hsv->CancelButtonClick();

  TParamEffectForm* sw = Open("switch-colors");
  sw->findChild<QComboBox*>("ComboBox4")->activated(1);  // Grayscale
  EXPECT_EQ(sw->findChild<QComboBox*>("ComboBox1")->currentIndex(), 6);
  EXPECT_EQ(sw->findChild<QComboBox*>("ComboBox3")->currentText(), "Brightness");
  sw->CancelButtonClick();
}

TEST_F(EffectWindow, RotateAngleFieldWrapsAndRestores) {
  OpenPattern();
  TParamEffectForm* form = Open("rotate");
  auto* edit = form->findChild<QLineEdit*>("Edit1");
  auto* slider = form->findChild<QSlider*>("TrackBar1");
  ASSERT_TRUE(edit && slider);
  // (Which texts are angles is ParseAngle's, tested in TransformsTest.)
  for (auto [typed, angle, shown] : {std::tuple{"-30", 330, "330"}, {"abc", 330, "330"}}) {
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

TEST_F(EffectWindow, EnlargeCanvasStartsAtTheImageSize) {
  OpenPattern();
  TParamEffectForm* form = Open("enlarge-canvas");
  auto* width = form->findChild<QSpinBox*>("WidthSpinEdit");
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->value(), 12);
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

TEST_F(EffectWindow, ResizeIsAPlainDialogOnCtrlR) {
  OpenPattern();
  Trigger("LMResize2");
  EXPECT_EQ(Action("LMResize2")->shortcut().toString(), "Ctrl+R");
  auto* form = window->findChild<TResizeForm*>("TResizeForm");
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->isVisible());
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
  ASSERT_EQ(ImageSize(Image()), QSize(6, 4));
  EXPECT_EQ(window->View->ZoomedSize(), QSize(6, 4));
  window->LMUndo1Click();
  EXPECT_EQ(Image(), before);

  Trigger("LMResize2");
  EXPECT_EQ(window->findChild<TResizeForm*>("TResizeForm"), form) << "made once";
  EXPECT_EQ(form->WidthEdit->text(), "12");
  form->RSCancelButton1->click();
  EXPECT_FALSE(form->isVisible());
}
