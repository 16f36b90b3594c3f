// The effect table's menu items in the main window: each opens its dialog
// (made once, shown modally) on an open image and does nothing without one.
#include <gtest/gtest.h>

#include <QAction>

#include "editor/ui/MainWindow.h"
#include "effects/model/EffectTable.h"
#include "effects/ui/ParamEffectForm.h"
#include "support/FakePrompts.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

class EffectCommandsTest : public ::testing::TestWithParam<std::string> {
 protected:
  lumarte::fixtures::FakePrompts prompts;
  TForm1 window{&prompts};
  const EffectRow& row = *FindEffect(GetParam());

  void TearDown() override {
    for (int k = 0; k < kSlotCount; ++k) window.Docs.Slot(k).Modified = false;
  }
  void TriggerEach() {
    for (const auto& name : row.MenuItems) {
      QAction* a = window.findChild<QAction*>(QString::fromStdString(name));
      ASSERT_NE(a, nullptr) << name;
      ASSERT_TRUE(a->isEnabled()) << name;
      a->trigger();
    }
  }
};

}  // namespace

TEST_P(EffectCommandsTest, MenuItemsOpenOneModalDialog) {
  ASSERT_FALSE(row.MenuItems.empty());
  TriggerEach();
  EXPECT_EQ(window.EffectForm(row), nullptr) << "no image: nothing opens";

  window.Docs.NewImage(8, 8);
  TriggerEach();
  TParamEffectForm* form = window.EffectForm(row);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->isModal());
  EXPECT_EQ(form->windowTitle().toStdString(), row.FormCaption);
  form->CancelButtonClick();
  TriggerEach();
  EXPECT_EQ(window.EffectForm(row), form) << "the dialog is kept";
  form->CancelButtonClick();
}

INSTANTIATE_TEST_SUITE_P(ToneEffects, EffectCommandsTest,
                         ::testing::Values("adjust-brightness", "adjust-contrast", "gamma-correction",
                                           "hue-and-saturaton", "switch-colors", "athmosphere",
                                           "add-noise", "red-eye-removal",
                                           "buttonize-posterize", "write", "paste-insert"));
INSTANTIATE_TEST_SUITE_P(LightingEffects, EffectCommandsTest,
                         ::testing::Values("light-and-darkness", "stochastic-luminance"));
