#pragma once
// The main window with a distinct pattern open, for the effect dialogs: their
// menu items are triggered as the user would.
#include <gtest/gtest.h>

#include <QAction>
#include <QSize>
#include <string>

#include "editor/ui/ImageView.h"
#include "editor/ui/MainWindow.h"
#include "effects/model/EffectTable.h"
#include "effects/ui/ParamEffectForm.h"
#include "support/DistinctPattern.h"
#include "support/FakePrompts.h"

class EffectWindow : public ::testing::Test {
 protected:
  lumarte::fixtures::FakePrompts prompts;
  lumarte::editor::TForm1 window{&prompts};

  void OpenPattern(int w = 12, int h = 8) {
    window.Docs.NewImage(w, h);
    Image() = lumarte::fixtures::DistinctPattern(w, h);
    window.Docs.Current().Modified = false;
  }
  void TearDown() override {
    for (int k = 0; k < lumarte::editor::kSlotCount; ++k) window.Docs.Slot(k).Modified = false;
  }
  void Trigger(const std::string& name) {
    QAction* a = window.findChild<QAction*>(QString::fromStdString(name));
    ASSERT_NE(a, nullptr) << name;
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
  }
  // The effect's dialog, opened from its first menu item.
  lumarte::effects::TParamEffectForm* Open(const std::string& effect) {
    const lumarte::effects::EffectRow& row = *lumarte::effects::FindEffect(effect);
    Trigger(row.MenuItems.at(0));
    return window.EffectForm(row);
  }
  lumarte::editor::TBitmap& Image() { return *window.Docs.Current().Bitmap; }
  static QSize ImageSize(const lumarte::editor::TBitmap& b) { return QSize(b.Width(), b.Height()); }
};
