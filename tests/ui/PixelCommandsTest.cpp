// The direct commands of the Image and Effects menus in the main window: each
// menu item runs its command at once on the open image as one undo step.
#include <gtest/gtest.h>

#include <QAction>

#include "editor/ui/ImageView.h"
#include "editor/ui/MainWindow.h"
#include "effects/model/PixelOps.h"
#include "support/FakePrompts.h"

using namespace lumarte::editor;
using namespace lumarte::effects;

namespace {

std::vector<PixelCommand> AllCommands() {
  std::vector<PixelCommand> all;
  for (const auto& table : {ColourMapCommands, RemapCommands, TextureCommands, DrawCommands})
    for (const PixelCommand& c : table()) all.push_back(c);
  return all;
}

class PixelCommandsTest : public ::testing::TestWithParam<PixelCommand> {
 protected:
  lumarte::fixtures::FakePrompts prompts;
  TForm1 window{&prompts};

  void TearDown() override {
    for (int k = 0; k < kSlotCount; ++k) window.Docs.Slot(k).Modified = false;
  }
  QAction* Action(const char* name) {
    QAction* a = window.findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << name;
    return a;
  }
  void OpenPattern(int w, int h) {
    window.Docs.NewImage(w, h);
    TBitmap& b = *window.Docs.Current().Bitmap;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGBColor(30 * x, 40 * y, 7 * x * y));
    window.Docs.Refresh(0);
  }
};

}  // namespace

TEST_P(PixelCommandsTest, RunsOnceAndUndoes) {
  QAction* action = Action(GetParam().MenuItem);
  ASSERT_NE(action, nullptr);
  ASSERT_TRUE(action->isEnabled());
  action->trigger();  // no image: nothing happens
  EXPECT_FALSE(window.Docs.Current().InUse);

  OpenPattern(8, 5);
  const TBitmap before = *window.Docs.Current().Bitmap;
  action->trigger();
  const TBM& doc = window.Docs.Current();
  EXPECT_EQ(doc.UndoDepth(), 1);
  EXPECT_TRUE(doc.Modified);
  const QSize shown(doc.Bitmap->Width(), doc.Bitmap->Height());
  EXPECT_EQ(window.View->ZoomedSize(), shown) << "the view follows a turned image";
  window.LMUndo1Click();
  EXPECT_EQ(*window.Docs.Current().Bitmap, before);
  EXPECT_EQ(window.Docs.Current().UndoDepth(), 0);
}

INSTANTIATE_TEST_SUITE_P(Menus, PixelCommandsTest, ::testing::ValuesIn(AllCommands()),
                         [](const auto& info) { return std::string(info.param.MenuItem); });

TEST_F(PixelCommandsTest, RotatingTurnsTheView) {
  OpenPattern(8, 5);
  Action("LMRotateRight1")->trigger();
  EXPECT_EQ(window.View->ZoomedSize(), QSize(5, 8));
}

TEST_F(PixelCommandsTest, SplitOpensThreeImages) {
  OpenPattern(4, 3);
  Action("LMRGBSplitImage1")->trigger();
  int open = 0;
  for (int k = 0; k < kSlotCount; ++k) open += window.Docs.Slot(k).InUse;
  EXPECT_EQ(open, 4);
  EXPECT_EQ(window.Docs.Current().Bitmap->Pixel(1, 2), RGBColor(0, 0, 7 * 2));
  EXPECT_EQ(window.Docs.Current().FileName, "New");
}
