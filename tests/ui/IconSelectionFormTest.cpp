// The icon selection dialog without a display: captions, list, preview,
// colour and result.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "editor/ui/IconSelectionForm.h"

using namespace lumarte::imaging;
using namespace lumarte::editor;

namespace {

class IconSelectionFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Icons.Kind = ikCursor;
    Icons.Add(32, 32, 8);
    TIconImage& second = Icons.Add(150, 20, 24);
    std::memset(second.XorData.data(), 0x80, size_t(second.XorSize));
    second.SetTransparent(0, 0);
  }
  TIconList Icons;
};

TEST_F(IconSelectionFormTest, ListsEveryImageAndPreviewsTheChosenOneOnTheTransparentColour) {
  lumarte::editor::TIconSelectionForm form;
  form.SetIcons(Icons, 0x00FF00FF);
  ASSERT_EQ(form.IconBox->count(), 2);
  EXPECT_EQ(form.IconBox->itemText(0), "Cursor 32 x 32 8 bit");
  EXPECT_EQ(form.IconBox->itemText(1), "Cursor 150 x 20 24 bit");
  EXPECT_EQ(form.SelectedIndex(), 0);
  EXPECT_EQ(form.ColorLabel->text(), "$ff00ff");
  EXPECT_EQ(form.Preview->size(), QSize(34, 34));
  form.IconBox->setCurrentIndex(1);
  ASSERT_EQ(form.Preview->size(), QSize(152, 22));
  // The panel itself is IconPreview's (IconTest); here the colour reaches it.
  EXPECT_EQ(form.Preview->pixmap().toImage().pixelColor(1, 1), QColor(255, 0, 255));
}

TEST_F(IconSelectionFormTest, TransparentColourButtonRedrawsThePreview) {
  lumarte::editor::TIconSelectionForm form;
  form.SetIcons(Icons, 0x00FF00FF);
  form.IconBox->setCurrentIndex(1);
  uint32_t offered = 0;
  form.PickColor = [&](uint32_t& color) {
    offered = color;
    color = 0x00123456;
    return true;
  };
  form.ColorButton->click();
  EXPECT_EQ(offered, 0x00FF00FFu);
  EXPECT_EQ(form.TransparentColor(), 0x00123456u);
  EXPECT_EQ(form.ColorLabel->text(), "$563412");
  EXPECT_EQ(form.Preview->pixmap().toImage().pixelColor(1, 1), QColor(0x56, 0x34, 0x12));
  form.PickColor = [](uint32_t& color) {
    color = 0;
    return false;  // cancelled: nothing changes
  };
  form.ColorButton->click();
  EXPECT_EQ(form.TransparentColor(), 0x00123456u);
}

// OK and Cancel of the dialog are the codec's answer.
TEST_F(IconSelectionFormTest, ChooserAnswersTheCodec) {
  lumarte::editor::TIconSelectionChooser chooser;
  uint32_t color = 0x00FF00FF;
  for (bool ok : {true, false}) {
    int index = 0;
    // The chooser creates its form on first use; answer it once it is shown.
    QTimer::singleShot(0, [ok] {
      auto* form = qobject_cast<TIconSelectionForm*>(QApplication::activeModalWidget());
      ASSERT_NE(form, nullptr);
      form->IconBox->setCurrentIndex(1);
      (ok ? form->OkButton : form->CancelButton)->click();
    });
    EXPECT_EQ(chooser.ChooseIcon(Icons, index, color), ok);
    EXPECT_EQ(index, ok ? 1 : 0);
  }
}

}  // namespace
