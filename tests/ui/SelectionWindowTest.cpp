// Mouse tools, keys, zoom and the status bar, driven with real mouse and key
// events on the window's view (offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "WindowTest.h"
#include "editor/ui/ColorPanel.h"
#include "editor/ui/ImageView.h"
#include "editor/ui/SelectByColorForm.h"
#include "editor/ui/ZoomForm.h"
#include "effects/model/EffectTable.h"
#include "effects/ui/EffectForms.h"

using namespace lumarte::editor;
using namespace lumarte::fixtures;

namespace {

constexpr int W = 60, H = 40;

// Red x, green y, blue 7 at (x, y).
TBitmap Gradient() {
  TBitmap b(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) b.SetPixel(x, y, RGBColor(x, y, 7));
  return b;
}

class SelectionWindowTest : public WindowTest {
 protected:
  double clock = 5000.0;
  std::optional<TBitmap> clipboard;

  void SetUp() override {
    WindowTest::SetUp();
    window->Clock = [this] { return clock; };
    window->WriteClipboard = [this](const TBitmap& b) { clipboard = b; };
    window->Docs.AddDocument(std::make_unique<TBitmap>(Gradient()), "gradient.bmp");
    window->resize(500, 400);
    window->show();
    QApplication::processEvents();
  }

  QWidget* Viewport() { return window->View->viewport(); }
  std::string Panel(int i) { return LabelText(QString("StatusPanel%1").arg(i)); }
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    SendMouse(Viewport(), type, at, button, held);
  }
  void Press(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, at, b, b);
  }
  void MoveHeld(QPoint at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
  void Hover(QPoint at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
  void Release(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonRelease, at, b, Qt::NoButton);
  }
  // Press, a move every 0.1 s, release; then a pause so the next press counts.
  void Drag(std::initializer_list<QPoint> path) {
    Press(*path.begin());
    for (auto it = path.begin() + 1; it != path.end(); ++it) {
      clock += 0.1;
      MoveHeld(*it);
    }
    clock += 0.1;
    Release(*(path.end() - 1));
    clock += 0.5;
  }
  void Click(QPoint at) { Drag({at, at}); }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(window->View, static_cast<Qt::Key>(key), mods);
  }
  TSelectionClass& Sel() { return window->Selections.Selection(); }
  QImage Shown() { return Viewport()->grab().toImage(); }
};

}  // namespace

// The outline is drawn on the screen, not into the document; Copy takes the
// block and Escape clears the selection.
TEST_F(SelectionWindowTest, RectangleOutlineOnTheScreenCopyAndEscape) {
  Drag({{0, 5}, {6, 9}, {12, 14}});
  EXPECT_EQ(Panel(4), "Sel: (0,5) (12,14)");
  QImage shown = Shown();
  EXPECT_EQ(shown.pixel(0, 10) & 0xFFFFFF,
            qRgb(255, 245, 248) & 0xFFFFFF);  // mark colour of (0, 10, 7)
  EXPECT_EQ(window->Docs.Current().Bitmap->Pixel(0, 10), RGBColor(0, 10, 7));
  EXPECT_EQ(shown.pixel(5, 10) & 0xFFFFFF, qRgb(5, 10, 7) & 0xFFFFFF);
  Trigger("LMCopy1");
  ASSERT_TRUE(clipboard);
  EXPECT_EQ(clipboard->Width(), 12);
  EXPECT_EQ(clipboard->Height(), 9);
  Key(Qt::Key_Escape);
  EXPECT_EQ(Panel(4), "Sel: (0,0) (59,39)");
}

TEST_F(SelectionWindowTest, PolygonVertexUnderThePointerGoesWithDelete) {
  Trigger("LMPolygon1");
  for (QPoint p : {QPoint{5, 5}, QPoint{40, 5}, QPoint{40, 30}, QPoint{5, 30}}) Click(p);
  ASSERT_EQ(Sel().Polygon.Count(), 4);
  EXPECT_EQ(Panel(4), "Sel: (5,5) (40,30)");
  Hover({40, 30});
  EXPECT_EQ(Viewport()->cursor().shape(), Qt::SizeAllCursor);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Sel().Polygon.Count(), 3);
}

TEST_F(SelectionWindowTest, ZeroFromTheZoomWindowDrawsAtOne) {
  Trigger("LMZoomWindow1");
  TZoomForm1* form = window->ZoomForm1;
  ASSERT_TRUE(form->isVisible());
  form->TrackBar1->setValue(-100);
  EXPECT_EQ(form->Edit1->text(), "0");
  EXPECT_EQ(window->Docs.ZoomFactor, 1.0);  // moving the bar applies nothing
  form->ApplyButton->click();
  EXPECT_EQ(window->Docs.ZoomFactor, 0.0);
  EXPECT_EQ(window->View->ZoomedSize(), QSize(W, H));
  form->CloseButton->click();
  EXPECT_EQ(window->Docs.ZoomFactor, 1.0);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(SelectionWindowTest, PointerPanelsAndZoomKeys) {
  Hover({3, 7});
  EXPECT_EQ(Panel(1), "X:3");
  EXPECT_EQ(Panel(2), "Y:7");
  EXPECT_EQ(Panel(3), "RGB: 3 7 7");
  Key(Qt::Key_Plus);  // zoom 1.1: screen 11 is image 10
  Hover({11, 11});
  EXPECT_EQ(Panel(1), "X:10");
  EXPECT_EQ(Panel(0), "(1.1:1)");
  Key(Qt::Key_Minus);
  EXPECT_DOUBLE_EQ(window->Docs.ZoomFactor, 1.1 * 0.9);
  // Another image: the old readout does not describe it.
  window->Docs.AddDocument(std::make_unique<TBitmap>(4, 4), "other.bmp");
  EXPECT_EQ(Panel(1) + Panel(2) + Panel(3), "X:Y:RGB: ");
}

TEST_F(SelectionWindowTest, RightClickTakesTheColourUnderThePointer) {
  window->Docs.Current().Bitmap->SetPixel(4, 4, RGBColor(12, 200, 7));
  Press({4, 4}, Qt::RightButton);
  Release({4, 4}, Qt::RightButton);
  EXPECT_TRUE(window->PopupMenu1->isVisible());
  window->PopupMenu1->close();
  Trigger("toForegroundColor1");
  EXPECT_EQ(window->Colours.FG, TColorEntry::FromRGB(12, 200, 7));
  // A panel text that does not parse is reported and changes nothing.
  window->findChild<QLabel*>("StatusPanel3")->setText("RGB: ");
  Trigger("toBackgroundColor1");
  EXPECT_EQ(prompts.Messages, std::vector<std::string>{"Scanning the Color for Red Failed"});
  EXPECT_EQ(window->Colours.BG, TColorSet().BG);
}

// The menu's and the pop-up's items and the mode icons follow the mode.
TEST_F(SelectionWindowTest, ModeIconsAndTicksFollowTheMode) {
  Trigger("LMCircle1");
  EXPECT_FALSE(Action("LMRectangle1")->isChecked());
  EXPECT_TRUE(Action("PCircle1")->isChecked());
  EXPECT_EQ(window->ModeIcons->Icons(), (TModeIcons{TModeIcon::Select, TModeIcon::Circle}));
  Trigger("PPaintLine1");
  EXPECT_EQ(window->ModeIcons->Icons(), (TModeIcons{TModeIcon::Paint, TModeIcon::Line}));
  EXPECT_TRUE(Action("LMLine1")->isChecked());
}

// Each by-colour command opens "Select by Color" first; its values then
// decide which pixels an effect's selection test lets through (width 1: the
// colour exactly).
TEST_F(SelectionWindowTest, ByColourDialogGatesALaterEffect) {
  const int reds[] = {10, 33, 59};
  int k = 0;
  for (const char* name : {"LMbyColor1", "LMPSelectByColorincurrentselection1", "PbyColor1"}) {
    Trigger("LMRectangle1");
    const int red = reds[k++];
    QTimer::singleShot(0, [&] {
      TSelectByColorForm* form = window->SelectByColorForm;
      ASSERT_TRUE(form && form->isVisible());
      form->TRedEdit->setValue(red);
      form->TGreenEdit->setValue(5);
      form->TBlueEdit->setValue(7);
      form->SBCWidthTrackbar->setValue(1);
      const QImage swatch = form->Image2->pixmap().toImage();
      EXPECT_EQ(swatch.pixel(swatch.width() / 2, swatch.height() / 2), qRgb(red, 5, 7));
      form->Button1->click();
    });
    Trigger(name);
    ASSERT_TRUE(window->Selections.Selection().ByColor) << name;
    EXPECT_TRUE(Action("LMbyColor1")->isChecked());
    const TSelectionTest test = window->Docs.SelectionTest();
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        ASSERT_EQ(test.InSelection(x, y), x == red && y == 5) << x << "," << y;
  }
}

TEST_F(SelectionWindowTest, ArrowKeysScroll) {
  for (int i = 0; i < 30; ++i) Key(Qt::Key_Plus);  // 20:1, larger than the view
  QScrollBar* h = window->View->horizontalScrollBar();
  h->setValue(0);
  Key(Qt::Key_Right);
  EXPECT_EQ(h->value(), 1);
  Key(Qt::Key_End);
  EXPECT_EQ(h->value(), h->maximum());
  Key(Qt::Key_Home);
  EXPECT_EQ(h->value(), 0);
}

// Keys pressed in an effect dialog reach the window's table.
TEST_F(SelectionWindowTest, EffectDialogsHandKeysOn) {
  auto form = lumarte::effects::CreateEffectForm(*lumarte::effects::FindEffect("adjust-brightness"),
                                                 window->Docs, window.get());
  QTest::keyClick(form.get(), Qt::Key_Plus);
  EXPECT_DOUBLE_EQ(window->Docs.ZoomFactor, 1.1);
}

TEST_F(SelectionWindowTest, PenWidthAndColourPanel) {
  window->LineWidthSpinEdit->setValue(7);
  EXPECT_EQ(ProgramState().Colours.PenWidth, 7);
  Key(Qt::Key_3, Qt::ControlModifier);  // FG := Color 3
  EXPECT_EQ(window->Colours.FG, TColorEntry::FromRGB(255, 0, 0));
  QImage panel = window->ColorImage->grab().toImage();
  EXPECT_EQ(panel.pixel(2, 2) & 0xFFFFFF, 0xFF0000u);  // the FG swatch
}
