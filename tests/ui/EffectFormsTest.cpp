// Effect dialogs with controls of their own, opened from the main window:
// the lighting dialogs' lists, dragging and check boxes, Buttonize's
// recompute rule, and the anchors, fonts and clipboard of Write and Paste
// Insert. Preview, OK and undo of every dialog are in EffectDialogsTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "EffectWindow.h"
#include "effects/ui/InsertForms.h"
#include "effects/ui/LightAndDarknessForm.h"
#include "effects/ui/LightVisualization.h"
#include "platform/Clipboard.h"
#include "platform/RasterImage.h"
#include "support/EffectRun.h"
#include "support/ShownMessages.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
using lumarte::fixtures::Filled;

namespace {

template <class T>
T* Child(QWidget& form, const char* name) {
  T* child = form.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

}  // namespace

TEST_F(EffectWindow, LightAndDarknessEditsItsListsAndDragsASource) {
  OpenPattern(36, 30);
  auto& form = dynamic_cast<TLightAndDarknessForm&>(*Open("light-and-darkness"));
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
  SendMouse(picture, QEvent::MouseButtonPress, picture->ToWidget(20.2, 15), Qt::LeftButton, Qt::LeftButton);
  SendMouse(picture, QEvent::MouseMove, picture->ToWidget(6, 9), Qt::LeftButton, Qt::LeftButton);
  SendMouse(picture, QEvent::MouseButtonRelease, picture->ToWidget(6, 9), Qt::LeftButton, Qt::NoButton);
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
  form.CancelButtonClick();
}

TEST_F(EffectWindow, StochasticLuminanceKeepsOneBoxOfEachSetChecked) {
  OpenPattern();
  TParamEffectForm& form = *Open("stochastic-luminance");
  auto* maximum = Child<QCheckBox>(form, "LightMaximumCheckbox");
  auto* lightOn = Child<QCheckBox>(form, "LightONCheckbox");
  maximum->setChecked(false);
  EXPECT_TRUE(maximum->isChecked()) << "the last kind of source stays";
  Child<QCheckBox>(form, "LightMedianCheckbox")->setChecked(true);
  maximum->setChecked(false);
  EXPECT_FALSE(maximum->isChecked());
  lightOn->setChecked(false);
  EXPECT_TRUE(lightOn->isChecked()) << "one group stays on";
  Child<QCheckBox>(form, "DarknessONCheckbox")->setChecked(true);
  lightOn->setChecked(false);
  EXPECT_FALSE(lightOn->isChecked());
  form.CancelButtonClick();
}

TEST_F(EffectWindow, ButtonizeReusesThePreviewOfTheSameValues) {
  OpenPattern(90, 60);
  TParamEffectForm* form = Open("buttonize-posterize");
  auto* border = form->findChild<QSpinBox*>("BorderSizeSpinEdit");
  border->setValue(77);
  form->CancelButtonClick();
  Open("buttonize-posterize");
  EXPECT_EQ(border->value(), 10) << "(90 + 60) div 30 is below 10";
  form->PreviewButtonClick();
  const TBitmap preview = window->Docs.DisplayedRaster();
  border->setValue(12);
  border->setValue(10);
  form->OKButtonClick();
  EXPECT_EQ(Image(), preview) << "the values of the preview: no new draws";

  Open("buttonize-posterize");
  form->PreviewButtonClick();
  const TBitmap second = window->Docs.DisplayedRaster();
  form->SetValue("posterize", 1);
  form->OKButtonClick();
  EXPECT_NE(Image(), second) << "a changed value computes again";
}

TEST_F(EffectWindow, PasteInsertAtThePressedPointOrSaysTheClipboardIsEmpty) {
  window->Docs.NewImage(10, 8);
  Image() = Filled(10, 8, clBlack);
  platform::SetClipboardPicture(Filled(3, 2, RGBColor(200, 100, 40)));
  window->Selections.LastPressed = {8, 7};
  TParamEffectForm* form = Open("paste-insert");
  EXPECT_EQ(form->findChild<QSpinBox*>("XSpinEdit")->value(), 8);
  form->SetValue("mix", 1);
  form->PreviewButtonClick();
  EXPECT_EQ(window->Docs.DisplayedRaster().Pixel(9, 7), RGBColor(100, 50, 20));
  EXPECT_EQ(window->Docs.DisplayedRaster().Pixel(7, 7), clBlack);
  form->CancelButtonClick();

  fixtures::ShownMessages shown;
  QGuiApplication::clipboard()->setText("words, no picture");
  Open("paste-insert");
  form->OKButtonClick();
  EXPECT_EQ(shown.Texts, std::vector<std::string>{"Nothing on Clipboard!"});
  EXPECT_EQ(window->Docs.Current().UndoDepth(), 0);
  form->CancelButtonClick();
}

// What other programs put on the clipboard: only the encoded file.
class ForeignClipboard : public ::testing::TestWithParam<const char*> {};

TEST_P(ForeignClipboard, EncodedPicturesArePasted) {
  const QImage picture = platform::ToQImage(Filled(5, 3, RGBColor(0, 128, 255)));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(picture.save(&buffer, GetParam()));
  auto* data = new QMimeData;
  data->setData(QString("image/") + GetParam(), bytes);
  QGuiApplication::clipboard()->setMimeData(data);
  std::optional<TBitmap> got = platform::ClipboardPicture();
  ASSERT_TRUE(got.has_value());
  ASSERT_EQ(got->Width(), 5);
  const TColor c = got->Pixel(2, 1);
  EXPECT_NEAR(c & 0xFF, 0, 3);
  EXPECT_NEAR(c >> 8 & 0xFF, 128, 3);
  EXPECT_NEAR(c >> 16 & 0xFF, 255, 3);
}

INSTANTIATE_TEST_SUITE_P(Formats, ForeignClipboard, ::testing::Values("png", "bmp", "jpeg"));

TEST_F(EffectWindow, WriteTakesAnchorFontAndColourAndDrawsFromTheAnchor) {
  window->Docs.NewImage(120, 80);
  Image() = Filled(120, 80, clWhite);
  ProgramState().Colours = TColorSet();
  ProgramState().Colours.FG = TColorEntry::FromRGB(0, 0, 12);  // "very dark"
  SetWriteFontChooser([](const QFont& start, QWidget*) -> std::optional<QFont> {
    QFont f = start;
    f.setPointSize(20);
    f.setBold(true);
    return f;
  });
  window->Selections.LastPressed = {30, 25};
  TParamEffectForm* form = Open("write");
  EXPECT_EQ(form->findChild<QSpinBox*>("SpinEdit1")->value(), 30);
  EXPECT_EQ(form->findChild<QSpinBox*>("SpinEdit2")->maximum(), 80);
  form->findChild<QPushButton*>("WRFontButton")->click();
  EXPECT_EQ(form->findChild<QSpinBox*>("FontSizeSpinEdit")->value(), 20);
  auto* memo = form->findChild<QPlainTextEdit*>("Memo1");
  EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(Qt::white)) << "dark text on white";
  memo->setPlainText("Hi\nthere");

  form->PreviewButtonClick();
  const TBitmap preview = window->Docs.DisplayedRaster();
  int inked = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x)
      if (preview.Pixel(x, y) != clWhite) {
        ++inked;
        ASSERT_GE(x, 30);
        ASSERT_GE(y, 25);
      }
  EXPECT_GT(inked, 20);
  form->OKButtonClick();
  EXPECT_EQ(Image(), preview);

  ProgramState().Colours.FG = TColorEntry::FromRGB(0x10, 0x00, 0x00);
  Open("write");
  EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(Qt::black)) << "a light colour on black";
  form->CancelButtonClick();
}
