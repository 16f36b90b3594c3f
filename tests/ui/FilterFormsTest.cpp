// The standard filters run from the menu at once with one undo step; the
// moving-average, motion-blur and sharpen dialogs with their controls.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <numbers>

#include "editor/ui/MainWindow.h"
#include "effects/model/EffectTable.h"
#include "effects/ui/ParamEffectForm.h"
#include "support/FakePrompts.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

class FilterWindowTest : public ::testing::Test {
 protected:
  lumarte::fixtures::FakePrompts prompts;
  TForm1 window{&prompts};

  void SetUp() override {
    window.Docs.NewImage(9, 7);
    TBitmap& b = *window.Docs.Current().Bitmap;
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) b.SetPixel(x, y, RGBColor(x * 27, y * 35, (x * y * 13) % 256));
    window.Docs.Current().Modified = false;
  }
  void TearDown() override {
    for (int k = 0; k < kSlotCount; ++k) window.Docs.Slot(k).Modified = false;
  }
  QAction* Action(const std::string& name) {
    return window.findChild<QAction*>(QString::fromStdString(name));
  }
  TParamEffectForm* Open(const std::string& effect) {
    const EffectRow& row = *FindEffect(effect);
    Action(row.MenuItems.at(0))->trigger();
    return window.EffectForm(row);
  }
};

const char* const kStandardFilters[] = {"differentiate",  "integrate",      "anti-alias",
                                        "simple-sharpen", "strong-sharpen", "edge-filter",
                                        "edge-builder",   "drawing",        "emboss",
                                        "old-image",      "red-wax",        "normalize-colors"};

}  // namespace

TEST_F(FilterWindowTest, EachStandardFilterRunsAtOnceAndUndoes) {
  const TBitmap original = *window.Docs.Current().Bitmap;
  for (const char* name : kStandardFilters) {
    const EffectRow& row = *FindEffect(name);
    QAction* a = Action(row.MenuItems.at(0));
    ASSERT_NE(a, nullptr) << name;
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
    EXPECT_EQ(window.EffectForm(row), nullptr) << name << ": no dialog";
    EXPECT_FALSE(*window.Docs.Current().Bitmap == original) << name;
    EXPECT_EQ(window.Docs.Current().UndoDepth(), 1) << name;
    EXPECT_TRUE(window.Docs.Current().Modified) << name;
    Action("LMUndo1")->trigger();
    EXPECT_EQ(*window.Docs.Current().Bitmap, original) << name;
    window.Docs.Current().Modified = false;
  }
}

struct FilterDialogCase {
  std::string effect, caption, help;
  std::map<std::string, double> values;
};

class FilterDialogTest : public FilterWindowTest,
                         public ::testing::WithParamInterface<FilterDialogCase> {};

TEST_P(FilterDialogTest, PreviewCancelThenApply) {
  const FilterDialogCase& c = GetParam();
  TParamEffectForm* form = Open(c.effect);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->isModal());
  EXPECT_EQ(form->windowTitle().toStdString(), c.caption);
  EXPECT_EQ(form->HelpFile.toStdString(), c.help);
  for (const auto& [name, v] : c.values) form->SetValue(name, v);
  const TBitmap before = *window.Docs.Current().Bitmap;

  form->PreviewButtonClick();
  EXPECT_TRUE(window.Docs.PreviewActive());
  EXPECT_FALSE(window.Docs.DisplayedRaster() == before);
  form->CancelButtonClick();
  EXPECT_FALSE(window.Docs.PreviewActive());
  EXPECT_EQ(*window.Docs.Current().Bitmap, before);
  EXPECT_EQ(window.Docs.Current().UndoDepth(), 0);

  form = Open(c.effect);
  form->OKButtonClick();
  EXPECT_FALSE(*window.Docs.Current().Bitmap == before);
  EXPECT_EQ(window.Docs.Current().UndoDepth(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, FilterDialogTest,
    ::testing::Values(FilterDialogCase{"moving-average-unsharpen-and-edge-detection",
                                       "Moving Average Filter",
                                       "Filter.html",
                                       {{"width", 2}}},
                      FilterDialogCase{"motion-blur", "Motion Blur", "StdFilters.html", {}},
                      FilterDialogCase{
                          "sharpen", "Sharpen", "StdFilters.html", {{"intensity", 7}}},
                      FilterDialogCase{
                          "fourier-transform", "Fourier Transform", "Filters.html", {{"cut-off", 20}}},
                      FilterDialogCase{"wavelet-transform",
                                       "Wavelet Transform",
                                       "Filters.html",
                                       {{"iterations", 2}}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(FilterWindowTest, MovingAverageControls) {
  TParamEffectForm* form = Open("moving-average-unsharpen-and-edge-detection");
  auto* track = form->findChild<QSlider*>("TrackBar1");
  auto* spin = form->findChild<QSpinBox*>("SpinEdit1");
  ASSERT_TRUE(track && spin);
  EXPECT_EQ(track->value(), 1);
  spin->setValue(9);
  EXPECT_EQ(track->value(), 9) << "kept equal";
  auto* low = form->findChild<QRadioButton*>("MAasLowPassRadioButton");
  auto* high = form->findChild<QRadioButton*>("MAasHighPassRadioButton");
  ASSERT_TRUE(low && high);
  EXPECT_EQ(low->text(), "as Low Pass ");
  EXPECT_EQ(high->text(), "as High Pass (Normalized)");
  EXPECT_TRUE(low->isChecked());
  QStringList notes;
  for (auto* l : form->findChildren<QLabel*>()) notes << l->text();
  EXPECT_TRUE(notes.contains("(Unsharpen)"));
  EXPECT_TRUE(notes.contains("(Edge Detection)"));
  // Reuse preview: OK after Preview applies it; a changed control recomputes.
  form->PreviewButtonClick();
  EXPECT_TRUE(form->Session.HasResult);
  high->click();
  EXPECT_FALSE(form->Session.HasResult);
  form->CancelButtonClick();
}

TEST_F(FilterWindowTest, MotionBlurPickerSetsDirection) {
  using std::numbers::pi;
  TParamEffectForm* form = Open("motion-blur");
  const EffectRow& row = *FindEffect("motion-blur");
  auto* speed = form->findChild<QSlider*>("TrackBar1");
  ASSERT_NE(speed, nullptr);
  EXPECT_EQ(speed->value(), 10);
  QWidget* picker = form->findChild<QWidget*>("Image2");
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(form->Values().Get(row.Param("direction")), 0.0);

  form->PreviewButtonClick();
  const QPoint centre(picker->width() / 2, picker->height() / 2);
  QTest::mousePress(picker, Qt::LeftButton, {}, centre + QPoint(10, 10));
  EXPECT_DOUBLE_EQ(form->Values().Get(row.Param("direction")), pi / 4);
  EXPECT_FALSE(form->Session.HasResult) << "a new direction needs a new result";
  QTest::mouseRelease(picker, Qt::LeftButton, {}, centre + QPoint(10, 10));
  // Straight above the centre: a press changes nothing.
  QTest::mousePress(picker, Qt::LeftButton, {}, centre + QPoint(0, -8));
  EXPECT_DOUBLE_EQ(form->Values().Get(row.Param("direction")), pi / 4);
  QTest::mouseRelease(picker, Qt::LeftButton, {}, centre + QPoint(0, -8));
  form->CancelButtonClick();
}

TEST_F(FilterWindowTest, SharpenControls) {
  TParamEffectForm* form = Open("sharpen");
  auto* intensity = form->findChild<QSlider*>("TrackBar1");
  auto* recursive = form->findChild<QCheckBox*>("SFRecursiveCheckBox");
  ASSERT_TRUE(intensity && recursive);
  EXPECT_EQ(intensity->value(), 5);
  EXPECT_EQ(recursive->text(), "Recursive (stronger sharpening, but color changes)");
  EXPECT_FALSE(recursive->isChecked());
  EXPECT_EQ(FindEffect("sharpen")->Policy, RecomputePolicy::Always);
  form->CancelButtonClick();
}

// The Fourier and wavelet dialogs: track bars and spin edits move together,
// and every control makes the previewed result stale.
TEST_F(FilterWindowTest, FrequencyDialogControlsClearTheResult) {
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
