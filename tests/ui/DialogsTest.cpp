#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTest>
#include <QTimer>

#include "editor/model/DocumentCodecs.h"
#include "editor/model/SavePreviews.h"
#include "editor/ui/QtPrompts.h"
#include "editor/ui/SaveChangedForm.h"
#include "editor/ui/TextForm.h"
#include "editor/ui/BitmapSaveForm.h"
#include "editor/ui/JPEGCompressionForm.h"
#include "editor/ui/PNGSaveForm.h"
#include "ui/PicturePane.h"
#include "ui/ScrollStepper.h"
#include "editor/ui/SelectExtForm.h"
#include "platform/RasterImage.h"
#include "support/TestCodec.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

// Clicks a button of the open modal dialog once its event loop runs, with
// the keyboard focus on it as a user tabbing to it has.
void ClickLater(const char* button) {
  QTimer::singleShot(0, [button] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr) << button;
    auto* b = dialog->findChild<QPushButton*>(button);
    ASSERT_NE(b, nullptr) << button;
    b->setFocus();
    b->click();
  });
}

// Types into whatever has the focus in the open dialog.
void TypeLater(std::vector<std::pair<QString, Qt::Key>> steps) {
  QTimer::singleShot(0, [steps] {
    QWidget* dialog = QApplication::activeModalWidget();
    for (const auto& [text, key] : steps) {
      if (!text.isEmpty()) QTest::keyClicks(dialog->focusWidget(), text);
      QTest::keyClick(dialog->focusWidget(), key);
    }
  });
}

}  // namespace

TEST(SaveChangedForm, EachButtonGivesItsAnswer) {
  TSaveChangedForm form;
  struct {
    const char* Button;
    TSaveChangedAnswer Answer;
  } cases[] = {{"SaveButton", TSaveChangedAnswer::Save},
               {"SaveAsButton", TSaveChangedAnswer::SaveAs},
               {"DontSaveButton", TSaveChangedAnswer::DontSave},
               {"CancelButton", TSaveChangedAnswer::Cancel}};
  for (const auto& c : cases) {
    ClickLater(c.Button);
    EXPECT_EQ(form.Execute(), c.Answer) << c.Button;
  }
  // Closing the prompt without a button is a Cancel.
  QTimer::singleShot(0, &form, [&] { form.reject(); });
  EXPECT_EQ(form.Execute(), TSaveChangedAnswer::Cancel);
}

TEST(SelectExtForm, JpgUnlessAnotherIsTicked) {
  editor::TSelectExtForm form;
  EXPECT_EQ(form.Choice(), TSaveFormatChoice::Jpg);
  form.findChild<QRadioButton*>("SEPNGRadioButton")->click();
  ClickLater("OKButton");
  form.exec();
  EXPECT_EQ(form.Choice(), TSaveFormatChoice::Png);
}

// A hard-wrapped text keeps its lines: a long one is not broken up.
TEST(TextForm, ShowsTheLinesKeepingLongOnesWhole) {
  TTextForm form;
  form.SetLines({std::string(300, 'x'), "", "Width: 3"});
  form.show();
  QApplication::processEvents();
  EXPECT_EQ(form.Memo->toPlainText().toStdString(), std::string(300, 'x') + "\n\nWidth: 3");
  EXPECT_EQ(form.Memo->document()->firstBlock().layout()->lineCount(), 1);
}

// The preview marks the transparent colour with the checkerboard. "Edit
// Transparent Color" is off without the program's colour window; with it,
// the colour chosen there marks the preview and is what the save uses.
TEST(PNGSaveForm, PreviewMarksTheTransparentColourTheColourWindowChose) {
  editor::TPNGSaveForm form;
  auto* edit = form.findChild<QPushButton*>("EditColorButton");
  ASSERT_NE(edit, nullptr);
  TBitmap raster(20, 10);
  raster.SetPixel(3, 4, RGBColor(255, 0, 0));
  raster.SetPixel(5, 4, RGBColor(0, 0, 255));
  form.Prepare(raster, false, RGBColor(255, 0, 0), raster.TransparentColor());
  EXPECT_EQ(form.Choice(), TPngTransparency::NotTransparent);
  EXPECT_TRUE(form.UseOriginalRadioButton->isHidden());
  EXPECT_TRUE(form.Preview->Fitted());
  EXPECT_EQ(form.Preview->Picture().pixel(3, 4), qRgb(255, 0, 0));
  EXPECT_FALSE(edit->isEnabled());

  form.TransparentRadioButton->click();
  EXPECT_EQ(form.Choice(), TPngTransparency::CurrentColor);
  EXPECT_EQ(platform::FromQImage(form.Preview->Picture()),
            MarkTransparentPixels(raster, RGBColor(255, 0, 0)));
  form.OneToOneRadioButton->click();
  EXPECT_FALSE(form.Preview->Fitted());

  std::optional<TColor> answer;  // cancelled first
  form.EditTransparentColor = [&] { return answer; };
  form.Prepare(raster, false, RGBColor(255, 0, 0), raster.TransparentColor());
  form.TransparentRadioButton->click();
  ASSERT_TRUE(edit->isEnabled());
  edit->click();
  EXPECT_EQ(form.CurrentTransparentColor(), RGBColor(255, 0, 0));
  answer = RGBColor(0, 0, 255);
  edit->click();
  EXPECT_EQ(form.CurrentTransparentColor(), RGBColor(0, 0, 255));
  EXPECT_EQ(platform::FromQImage(form.Preview->Picture()),
            MarkTransparentPixels(raster, RGBColor(0, 0, 255)));
}

TEST(JPEGCompressionForm, PreviewShowsTheCompressedFileAndItsSizeUntilTheBarMoves) {
  editor::TJPEGCompressionForm form;
  EXPECT_FALSE(form.OneToOneRadioButton->isEnabled());  // nothing to show yet
  TBitmap photo = fixtures::Pattern(60, 40, 1);
  form.Prepare(photo);
  auto at50 = MakeJpegPreview(photo, 50, true);
  EXPECT_EQ(form.SizeLabel->text().toStdString(), SizeText(at50.FileSize));
  EXPECT_TRUE(form.OneToOneRadioButton->isEnabled());
  form.ChoosePreset(2);  // "WWW Background"
  form.MakePreview();
  EXPECT_EQ(form.SizeLabel->text().toStdString(),
            SizeText(MakeJpegPreview(photo, 12, true).FileSize));
  EXPECT_EQ(platform::FromQImage(form.PreviewPane->Picture()),
            MakeJpegPreview(photo, 12, true).Decoded);
  ClickLater("CancelButton");
  EXPECT_FALSE(form.Execute(photo));
  ClickLater("OKButton");
  EXPECT_TRUE(form.Execute(photo));
  EXPECT_EQ(form.Quality(), 12);
  // A moved bar stops stretching until the next preview.
  form.CompressionBar->setValue(80);
  EXPECT_FALSE(form.ImagePane->Fitted());
  EXPECT_FALSE(form.PreviewPane->Fitted());
}

TEST(ScrollStepper, TheBoxThatMovedLeads) {
  ui::TPicturePane a, b;
  QImage big(800, 800, QImage::Format_RGB32);
  big.fill(Qt::gray);
  for (auto* p : {&a, &b}) {
    p->resize(100, 100);
    p->SetPicture(big, false);
    p->show();
  }
  QApplication::processEvents();
  ui::TScrollStepper stepper(&a, &b);
  a.horizontalScrollBar()->setValue(120);
  stepper.Step();
  EXPECT_EQ(b.horizontalScrollBar()->value(), 120);
  b.verticalScrollBar()->setValue(70);
  stepper.Step();
  EXPECT_EQ(a.verticalScrollBar()->value(), 70);
  EXPECT_EQ(a.horizontalScrollBar()->value(), 120);
}

TEST(QtFileFilter, PatternsBecomeQtLists) {
  EXPECT_EQ(QtFileFilter("All images (*.gif;*.bmp)|*.wmf;*.emf;*.gif;*.bmp|"
                         "Windows Meta File (*.emf,*.wmf)|*.wmf;*.emf;"),
            "All images (*.wmf *.emf *.gif *.bmp);;Windows Meta File (*.wmf *.emf)");
  EXPECT_EQ(QtFileFilter("JPEG, JPG,  JP2, PNG, BMP, EMF, WMF,GIF|*.jpg;*.png"),
            "JPEG, JPG,  JP2, PNG, BMP, EMF, WMF,GIF (*.jpg *.png)");
  EXPECT_EQ(QtFileFilter("All images ()|*.wmf;*.emf;|Empty|"), "All images (*.wmf *.emf)");
}

TEST(BitmapSaveForm, EachDepthPreviewsItsReduction) {
  editor::TBitmapSaveForm form;
  TBitmap photo = fixtures::Pattern(40, 30, 3);
  form.Prepare(photo);
  EXPECT_EQ(form.ChosenBits(), 24);
  EXPECT_EQ(form.Preview->Picture().pixel(5, 7), qRgb(5 + 3, 7, 3));
  form.findChild<QRadioButton*>("Bit1RadioButton")->click();
  EXPECT_EQ(form.PreviewBits(), 1);
  EXPECT_EQ(platform::FromQImage(form.Preview->Picture()), ReducedToDepth(photo, 1));

  ClickLater("OKButton");
  EXPECT_EQ(form.Execute(photo), std::optional<int>(1));
  ClickLater("CancelButton");
  EXPECT_EQ(form.Execute(photo), std::nullopt);
}

// A dialog closed with Cancel opens again ready for typing, Enter meaning OK.
TEST(QtPrompts, DialogsReopenWithTheFocusOnTheFirstInput) {
  TQtPrompts prompts(nullptr);
  ClickLater("CancelButton");
  EXPECT_FALSE(prompts.AskNewImageSize());
  TypeLater({{"640", Qt::Key_Tab}, {"480", Qt::Key_Return}});
  const auto size = prompts.AskNewImageSize();
  ASSERT_TRUE(size);
  EXPECT_EQ(size->Width, 640);
  EXPECT_EQ(size->Height, 480);

  ClickLater("CancelButton");
  EXPECT_EQ(prompts.AskSaveChanged(), TSaveChangedAnswer::Cancel);
  TypeLater({{"", Qt::Key_Return}});
  EXPECT_EQ(prompts.AskSaveChanged(), TSaveChangedAnswer::Save);
}
