// The lighting dialogs: sources and barriers added and removed, a source
// dragged in the visualisation with its fields following, the zoom buttons,
// the keep-one-checked rules.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>

#include "editor/model/DocumentList.h"
#include "effects/ui/EffectForms.h"
#include "effects/ui/LightAndDarknessForm.h"
#include "effects/ui/LightVisualization.h"
#include "support/DistinctPattern.h"
#include "support/QuietDocumentHost.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

class LightingDialog : public ::testing::Test {
 protected:
  QuietHost host;
  DocumentList docs{host};
  void SetUp() override {
    docs.NewImage(36, 30);
    *docs.Current().Bitmap = lumarte::fixtures::DistinctPattern(36, 30);
  }
};

void Mouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButtons held) {
  QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

template <class T>
T* Child(QWidget& form, const char* name) {
  T* child = form.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

}  // namespace

TEST_F(LightingDialog, LightAndDarknessEditsItsListsAndDragsASource) {
  auto made = CreateEffectForm(*FindEffect("light-and-darkness"), docs, nullptr);
  auto& form = dynamic_cast<TLightAndDarknessForm&>(*made);
  form.show();
  ASSERT_EQ(form.Lights.size(), 1u) << "a new dialog starts with one source";
  form.AddLightButton->click();
  form.AddBarrierButton->click();
  EXPECT_EQ(form.LightListBox->count(), 2);
  EXPECT_EQ(form.LightListBox->currentRow(), 1) << "the new source is selected";
  EXPECT_EQ(form.BarrierListBox->item(0)->text(), "Line");
  form.DeleteLightButton->click();
  form.DeleteBarrierButton->click();
  EXPECT_EQ(form.Lights.size(), 1u);
  EXPECT_TRUE(form.Barriers.empty());
  EXPECT_FALSE(form.DeleteBarrierButton->isEnabled());

  // The selected source's fields write into it.
  form.LightListBox->setCurrentRow(0);
  Child<QSpinBox>(form, "LightXSpinEdit")->setValue(20);
  Child<QSpinBox>(form, "LightYSpinEdit")->setValue(15);
  Child<QSpinBox>(form, "LightWidthSpinEdit")->setValue(25);
  Child<QSpinBox>(form, "LightFactorSpinEdit")->setValue(1500);
  Child<QComboBox>(form, "LightStyleComboBox")->setCurrentIndex(kDarkness);
  Child<QComboBox>(form, "LightFunctionComboBox")->setCurrentIndex(1 + kQuadratic);
  EXPECT_EQ(form.Lights[0], (TLight{kDarkness, 20, 15, 25, -1, kQuadratic, 1.5, 100, 100, 100}));
  EXPECT_EQ(form.LightListBox->item(0)->text(), "Darkness");

  // Dragging the source moves it and the fields follow; the label shows
  // the image position under the mouse.
  TLightVisualization* picture = form.Visualization;
  Mouse(picture, QEvent::MouseButtonPress, picture->ToWidget(20.2, 15), Qt::LeftButton);
  Mouse(picture, QEvent::MouseMove, picture->ToWidget(6, 9), Qt::LeftButton);
  Mouse(picture, QEvent::MouseButtonRelease, picture->ToWidget(6, 9), Qt::NoButton);
  EXPECT_EQ(form.Lights[0].X, 6);
  EXPECT_EQ(form.Lights[0].Y, 9);
  EXPECT_EQ(Child<QSpinBox>(form, "LightXSpinEdit")->value(), 6);
  EXPECT_EQ(form.PositionLabel->text(), "X: 6 Y: 9");

  const double fitted = picture->Scale();
  form.ZoomInButton->click();
  EXPECT_DOUBLE_EQ(picture->Scale(), 2 * fitted);
  form.ZoomOutButton->click();
  form.ZoomOutButton->click();
  EXPECT_DOUBLE_EQ(picture->Scale(), fitted / 2);
  form.ResetButton->click();
  EXPECT_DOUBLE_EQ(picture->Scale(), fitted);

}

TEST_F(LightingDialog, StochasticLuminanceKeepsOneBoxOfEachSetChecked) {
  auto form = CreateEffectForm(*FindEffect("stochastic-luminance"), docs, nullptr);
  form->show();
  auto* maximum = Child<QCheckBox>(*form, "LightMaximumCheckbox");
  auto* median = Child<QCheckBox>(*form, "LightMedianCheckbox");
  auto* lightOn = Child<QCheckBox>(*form, "LightONCheckbox");
  auto* darkOn = Child<QCheckBox>(*form, "DarknessONCheckbox");
  maximum->setChecked(false);
  EXPECT_TRUE(maximum->isChecked()) << "the last kind of source stays";
  median->setChecked(true);
  maximum->setChecked(false);
  EXPECT_FALSE(maximum->isChecked());
  lightOn->setChecked(false);
  EXPECT_TRUE(lightOn->isChecked()) << "one group stays on";
  darkOn->setChecked(true);
  lightOn->setChecked(false);
  EXPECT_FALSE(lightOn->isChecked());
  Child<QSpinBox>(*form, "DarknessHitProbSpinEdit")->setValue(90);
}
