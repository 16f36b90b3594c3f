#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <set>

#include "editor/model/DocumentList.h"
#include "support/QuietDocumentHost.h"
#include "effects/ui/EffectForms.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

// The settings that make each dialog visibly change a mid-grey image.
struct DialogCase {
  std::string effect, caption;
  std::map<std::string, double> values;
};

class ToneDialog : public ::testing::TestWithParam<DialogCase> {
 protected:
  QuietHost host;
  DocumentList docs{host};
  void SetUp() override {
    docs.NewImage(6, 4);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) docs.Current().Bitmap->SetPixel(x, y, RGBColor(100, 120, 140));
  }
};

}  // namespace

TEST_P(ToneDialog, PreviewCancelThenApply) {
  const auto& c = GetParam();
  auto form = CreateEffectForm(*FindEffect(c.effect), docs, nullptr);
  EXPECT_EQ(form->windowTitle().toStdString(), c.caption);
  for (const char* b : {"PreviewButton", "OKButton", "CancelButton", "HelpButton", "HideButton"})
    EXPECT_NE(form->findChild<QPushButton*>(b), nullptr) << b;
  form->show();
  for (const auto& [name, v] : c.values) form->SetValue(name, v);
  TBitmap before = *docs.Current().Bitmap;

  form->PreviewButtonClick();
  EXPECT_TRUE(docs.PreviewActive());
  EXPECT_FALSE(docs.DisplayedRaster() == before);
  form->CancelButtonClick();
  EXPECT_FALSE(docs.PreviewActive());
  EXPECT_EQ(*docs.Current().Bitmap, before);
  EXPECT_EQ(docs.Current().UndoDepth(), 0);

  form->show();
  form->OKButtonClick();
  EXPECT_FALSE(*docs.Current().Bitmap == before);
  EXPECT_EQ(docs.Current().UndoDepth(), 1);
  EXPECT_TRUE(docs.Current().Modified);
}

// Captioned track bars start in one column, their value fields keep their
// width at either end of the range, and the dialog has no empty band.
TEST_P(ToneDialog, SlidersAlignedAndDialogFitsItsControls) {
  auto form = CreateEffectForm(*FindEffect(GetParam().effect), docs, nullptr);
  form->show();
  EXPECT_EQ(form->height(), form->sizeHint().height());
  std::set<int> lefts;
  for (const auto& p : form->Row.Params) {
    auto* slider = form->findChild<QSlider*>(QString::fromStdString(p.Control));
    if (p.Kind != ControlKind::Slider || p.Caption.empty() || !slider) continue;
    auto* caption = slider->parentWidget()->findChild<QLabel*>();
    if (!caption || !caption->isVisible()) continue;  // placed by the dialog itself
    lefts.insert(slider->mapTo(form.get(), QPoint(0, 0)).x());
    const int width = slider->width();
    for (double v : {p.Min, p.Max}) {
      form->SetValue(p.Name, v);
      EXPECT_EQ(slider->width(), width) << p.Name << " moves at " << v;
    }
  }
  EXPECT_LE(lefts.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ToneDialog,
    ::testing::Values(DialogCase{"adjust-brightness", "Brightness", {{"red", 50}}},
                      DialogCase{"adjust-contrast", "Adjust Contrast", {{"brightness", 40}}},
                      DialogCase{"gamma-correction", "Gamma Correction", {}},
                      DialogCase{"hue-and-saturaton", "Hue and Saturation", {{"hue", 60}}},
                      DialogCase{"switch-colors", "Switch RGB values", {{"red", 2}}},
                      DialogCase{"athmosphere", "Change Color Atmosphere", {{"intensity", 90}}},
                      DialogCase{"add-noise", "Add Noise", {{"intensity", 80}}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(ToneDialogs, ControlsDefaultsAndHelpers) {
  QuietHost host;
  DocumentList docs{host};
  docs.NewImage(2, 2);
  auto gamma = CreateEffectForm(*FindEffect("gamma-correction"), docs, nullptr);
  EXPECT_EQ(gamma->findChild<QSlider*>("TrackBar1")->value(), 28);
  EXPECT_EQ(gamma->findChild<QLabel*>("Label1")->text(), "2.42 (values from 1.3 to 3.3)");

  auto hsv = CreateEffectForm(*FindEffect("hue-and-saturaton"), docs, nullptr);
  hsv->SetValue("hue", 40);
  hsv->findChild<QPushButton*>("Button1")->click();
  EXPECT_EQ(hsv->Values().Get(FindEffect("hue-and-saturaton")->Param("hue")), 0);

  auto sw = CreateEffectForm(*FindEffect("switch-colors"), docs, nullptr);
  auto* presets = sw->findChild<QComboBox*>("ComboBox4");
  presets->activated(1);  // Grayscale
  EXPECT_EQ(sw->findChild<QComboBox*>("ComboBox1")->currentIndex(), 6);
  EXPECT_EQ(sw->findChild<QComboBox*>("ComboBox3")->currentText(), "Brightness");
}
