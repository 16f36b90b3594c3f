// "Select Color" in the main window: its openers, the controls driven with
// real events (offscreen), OK writing the program's colour set and Cancel
// leaving it alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <tuple>

#include "WindowTest.h"
#include "editor/model/ColorPalette.h"
#include "ui/ApplyLanguage.h"
#include "editor/ui/ColorForm.h"
#include "editor/ui/ColorPanel.h"
#include "imaging/FileUtils.h"

using namespace lumarte::editor;

namespace {

void TypeInto(QSpinBox* edit, const char* text) {
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

class ColorFormTest : public WindowTest {
 protected:
  TColorForm* shown = nullptr;

  // Opens the dialog with open(); while it runs modally, act() works its
  // controls and closes it (a dialog left open is cancelled).
  void WhileOpen(const std::function<void()>& open, const std::function<void(TColorForm&)>& act) {
    shown = nullptr;
    QTimer::singleShot(0, window.get(), [&] {
      shown = dynamic_cast<TColorForm*>(QApplication::activeModalWidget());
      if (!shown) return;
      act(*shown);
      if (shown->isVisible()) shown->reject();
    });
    open();
    QApplication::processEvents();
  }
  void SwitchWith(TColorForm& form, const char* item) {
    QAction* a = form.SwitchColorMenu->findChild<QAction*>(item);
    ASSERT_NE(a, nullptr) << item;
    a->trigger();
  }
  // The edits of the OK and Cancel tests, checked on the controls as they go.
  void EditEverything(TColorForm& form) {
    // Color 2: a grey of the palette's bottom ramp, by hover and click.
    form.TabControl1->setCurrentIndex(3);
    const QPoint grey(128, kPaletteHeight - 4);
    SendMouse(form.Image3, QEvent::MouseMove, grey, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(form.RGB->text(), "RGB: 128 128 128");
    SendMouse(form.Image3, QEvent::MouseButtonPress, grey, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(form.BlueEdit->value(), 128);

    // Color 1: a bar moved and a value typed.
    form.TabControl1->setCurrentIndex(2);
    form.RedTrackBar->setValue(10);
    EXPECT_EQ(form.RedEdit->value(), 10);
    TypeInto(form.GreenEdit, "77");
    EXPECT_EQ(form.GreenTrackbar->value(), 77);

    // Foreground and background exchanged from the foreground's tab.
    form.TabControl1->setCurrentIndex(0);
    SwitchWith(form, "SwitchWithBGColor");
    EXPECT_EQ(form.RedTrackBar->value(), 0);  // the background was black
    EXPECT_EQ(form.BGColorImage->Colour(), RGBColor(255, 255, 255));

    TypeInto(form.LineWidthEdit, "7");
    EXPECT_EQ(form.LineWidthTrackbar->value(), 7);
    form.TWidthTrackbar->setValue(40);
    form.CheckBox1->setChecked(false);
  }
};

TEST_F(ColorFormTest, OkWritesTheEditsAndThePanelFollows) {
  WhileOpen([&] { Trigger("LMEditColors1"); },
            [&](TColorForm& form) {
              EXPECT_TRUE(form.isModal());
              EditEverything(form);
              form.Button1->click();
            });
  ASSERT_NE(shown, nullptr);
  const TColorSet& c = ProgramState().Colours;
  EXPECT_EQ(c.FG, TColorEntry::FromRGB(0, 0, 0));
  EXPECT_EQ(c.BG, TColorEntry::FromRGB(255, 255, 255));
  EXPECT_EQ(c.Color(1), TColorEntry::FromRGB(10, 77, 255));
  EXPECT_EQ(c.Color(2), TColorEntry::FromRGB(128, 128, 128));
  EXPECT_EQ(c.PenWidth, 7);
  EXPECT_EQ(c.TCI, TColorEntry::FromRGB(-99, -99, -99));
  EXPECT_EQ(c.TCIWidth, 40);
  EXPECT_EQ(window->LineWidthSpinEdit->value(), 7);
  const QImage panel = window->ColorImage->grab().toImage();
  EXPECT_EQ(panel.pixelColor(1, 1), QColor(0, 0, 0));         // F
  EXPECT_EQ(panel.pixelColor(21, 1), QColor(255, 255, 255));  // B
}

TEST_F(ColorFormTest, CancelLeavesTheColourSetAlone) {
  ProgramState().Colours.PenWidth = 3;
  WhileOpen([&] { Trigger("LMEditColors1"); },
            [&](TColorForm& form) {
              EditEverything(form);
              form.Button2->click();
            });
  ASSERT_NE(shown, nullptr);
  TColorSet expected;
  expected.PenWidth = 3;
  const TColorSet& c = ProgramState().Colours;
  EXPECT_EQ(std::tie(c.FG, c.BG, c.Colors, c.TCI, c.TCIWidth, c.PenWidth),
            std::tie(expected.FG, expected.BG, expected.Colors, expected.TCI, expected.TCIWidth,
                     expected.PenWidth));

  // The next showing shows the set again, not the cancelled edits.
  WhileOpen([&] { Trigger("LMEditColors1"); },
            [&](TColorForm& form) {
              EXPECT_EQ(form.RedEdit->value(), 255);
              EXPECT_EQ(form.LineWidthEdit->value(), 3);
              EXPECT_TRUE(form.CheckBox1->isChecked());
            });
}

// Every opener shows the one dialog made at start.
class ColorFormOpenerTest : public ColorFormTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(ColorFormOpenerTest, OpensTheKeptDialog) {
  const std::string opener = GetParam();
  WhileOpen(
      [&] {
        if (opener == "ColorImage")
          SendMouse(window->ColorImage, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
        else if (opener == "LineWidthLabel")
          SendMouse(window->LineWidthLabel, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
        else
          Trigger(opener);
      },
      [](TColorForm& form) { form.Button2->click(); });
  EXPECT_EQ(shown, window->ColorForm);
}

INSTANTIATE_TEST_SUITE_P(Openers, ColorFormOpenerTest,
                         ::testing::Values("LMEditColors1", "LMSelectColors1", "PEditColors1",
                                           "ColorImage", "LineWidthLabel"));

TEST_F(ColorFormTest, TakingTheIntervalCentreAsksForItsWidth) {
  window->findChild<QLabel*>("StatusPanel3")->setText("RGB: 30 40 50");
  WhileOpen([&] { Trigger("toTransparentColorInterval1"); },
            [](TColorForm& form) {
              EXPECT_EQ(form.TRedTrackBar->value(), 30);
              EXPECT_EQ(form.TBlueEdit->value(), 50);
              TypeInto(form.TWidthEdit, "12");
              form.Button1->click();
            });
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(ProgramState().Colours.TCI, TColorEntry::FromRGB(30, 40, 50));
  EXPECT_EQ(ProgramState().Colours.TCIWidth, 12);
}

TEST_F(ColorFormTest, HelpOpensItsPage) {
  std::vector<std::string> opened;
  window->OpenDocument = [&](const std::string& file) { opened.push_back(file); };
  window->ColorForm->Help->click();
  EXPECT_EQ(opened,
            std::vector<std::string>{lumarte::imaging::ProgramDirectory() + "SelectColors.html"});
}

TEST_F(ColorFormTest, LanguageFilesReachTheDialog) {
  TColorForm& form = *window->ColorForm;
  lumarte::ui::ApplyLanguage(
      window.get(),
      ParseLanguageFile({"ColorForm.Caption:=Farbe", "SwitchWithBGColor.Caption:=Hintergrund"}));
  EXPECT_EQ(form.windowTitle(), "Farbe");
  EXPECT_EQ(form.SwitchColorMenu->actions()[1]->text(), "Hintergrund");
}

}  // namespace
