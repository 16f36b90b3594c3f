#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <memory>

#include "EventLoop.h"
#include "ui/ApplyLanguage.h"
#include "editor/ui/NewImageForm.h"
#include "imaging/ImageDLLLoader.h"
#include "editor/ui/IconSelectionForm.h"
#include "editor/ui/JPEG2000Form.h"

using namespace lumarte::editor;

namespace {

template <typename T>
T* Named(T* object, const char* name) {
  object->setObjectName(name);
  return object;
}

// A small window with one control of every kind language files address.
struct SampleWindow {
  std::unique_ptr<QMainWindow> Window{Named(new QMainWindow, "Form1")};
  QMenu* File = Named(Window->menuBar()->addMenu("File"), "LMFile1");
  QAction* Open = Named(File->addAction("Open"), "LMOpen1");
  QAction* Save = Named(File->addAction("Save"), "LMSave1");
  QWidget* Central = new QWidget;
  QLabel* Label = Named(new QLabel("Width", Central), "Label1");
  QGroupBox* Group = Named(new QGroupBox("Size", Central), "GroupBox1");
  QCheckBox* Check = Named(new QCheckBox("Keep", Group), "CheckBox1");
  QRadioButton* Radio = Named(new QRadioButton("JPG", Group), "RadioButton1");
  QPushButton* Button = Named(new QPushButton("OK", Central), "Button1");
  QLineEdit* Edit = Named(new QLineEdit("typed", Central), "Edit1");
  QLabel* Picture = Named(new QLabel(Central), "Image1");
  QStatusBar* Status = Named(Window->statusBar(), "StatusBar1");
  SampleWindow() {
    Window->setWindowTitle("Lumarte 1.0");
    Window->setCentralWidget(Central);
    lumarte::ui::MarkAsPicture(Picture);
  }
};

class ApplyLanguageTest : public ::testing::Test {
 protected:
  SampleWindow w;
  void Apply(const std::vector<std::string>& lines) {
    lumarte::ui::ApplyLanguage(w.Window.get(), ParseLanguageFile(lines));
  }
};

TEST_F(ApplyLanguageTest, EveryCaptionKind) {
  Apply({"LMOpen1.Caption:=Öffnen", "lmfile1.Caption:=Datei", "Label1.Caption:=Breite", "GroupBox1.Caption:=Größe",
         "CheckBox1.Caption:=Behalten", "RadioButton1.Caption:=JPEG", "Button1.Caption:=Gut",
         "Edit1.Caption:=not for edit boxes", "Image1.Caption:=no caption",
         "StatusBar1.Caption:=no caption"});
  EXPECT_EQ(w.Open->text(), QString("Öffnen"));
  EXPECT_EQ(w.Save->text(), "Save");
  EXPECT_EQ(w.File->title(), "Datei");
  EXPECT_EQ(w.File->menuAction()->text(), "Datei");
  EXPECT_EQ(w.Label->text(), "Breite");
  EXPECT_EQ(w.Group->title(), QString("Größe"));
  EXPECT_EQ(w.Check->text(), "Behalten");
  EXPECT_EQ(w.Radio->text(), "JPEG");
  EXPECT_EQ(w.Button->text(), "Gut");
  EXPECT_EQ(w.Edit->text(), "typed");
  EXPECT_EQ(w.Picture->text(), "");
  EXPECT_EQ(w.Status->currentMessage(), "");
}

TEST_F(ApplyLanguageTest, HintsIncludingStatusBarAndPicture) {
  Apply({"StatusBar1.Hint:=Status", "Image1.Hint:=Picture", "LMSave1.Hint:=Saves",
         "Edit1.Hint:=not for edit boxes"});
  EXPECT_EQ(w.Status->toolTip(), "Status");
  EXPECT_EQ(w.Picture->toolTip(), "Picture");
  EXPECT_EQ(w.Save->toolTip(), "Saves");
  EXPECT_EQ(w.Save->statusTip(), "Saves");
  EXPECT_EQ(w.Edit->toolTip(), "");
}

// The window itself, unknown names and a wrongly cased property are left alone.
TEST_F(ApplyLanguageTest, FirstLineWinsUnknownAndRootIgnored) {
  Apply({"NoSuchControl.Caption:=x", "LMOpen1.Hint:=first", "LMOpen1.Caption:=second",
         "Label1.caption:=wrong case property", "Form1.Caption:=Fenster"});
  EXPECT_EQ(w.Open->text(), "Open");
  EXPECT_EQ(w.Open->toolTip(), "first");
  EXPECT_EQ(w.Label->text(), "Width");
  EXPECT_EQ(w.Window->windowTitle(), "Lumarte 1.0");
}

// The table reaches the open windows and forms made later. The New dialog's
// labels and the icon and JPEG 2000 dialogs were out of its reach: they had
// no component names.
TEST_F(ApplyLanguageTest, SetLanguageCoversWindowsAndLaterForms) {
  w.Window->show();
  lumarte::ui::SetLanguage(ParseLanguageFile(
      {"Form1.Caption:=Fenster", "Button1.Caption:=Los", "WidthLabel.Caption:=Breite",
       "NoteLabel.Caption:=Hinweis", "JPEG2000Form.Caption:=JPEG 2000",
       "LossyButton.Caption:=verlustbehaftet"}));
  EXPECT_EQ(w.Window->windowTitle(), "Fenster");
  EXPECT_EQ(w.Button->text(), "Los");
  ASSERT_NE(lumarte::ui::CurrentLanguage(), nullptr);

  TNewImageForm newForm;
  lumarte::editor::TIconSelectionForm iconForm;
  lumarte::editor::TJPEG2000Form jp2Form(lumarte::imaging::ImageDLLLoader());
  for (QWidget* form : std::initializer_list<QWidget*>{&newForm, &iconForm, &jp2Form})
    lumarte::ui::ApplyLanguageToForm(form);
  EXPECT_EQ(newForm.findChild<QLabel*>("WidthLabel")->text(), "Breite");
  EXPECT_EQ(iconForm.findChild<QLabel*>("NoteLabel")->text(), "Hinweis");
  EXPECT_EQ(jp2Form.windowTitle(), "JPEG 2000");
  EXPECT_EQ(jp2Form.findChild<QRadioButton*>("LossyButton")->text(), "verlustbehaftet");
  lumarte::ui::SetLanguage({});
}

TEST_F(ApplyLanguageTest, TimerLoadsLanguageFileAndFitsAgain) {
  QTemporaryDir folder;
  QFile file(folder.filePath("lang.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("LMSave1.Caption:=Sichern\r\n");
  file.close();
  w.Window->show();
  int fits = 0;
  lumarte::ui::StartLanguageTimer(w.Window.get(), folder.path().toStdString(), [&] { ++fits; });
  lumarte::testing::ProcessEventsFor(100);
  EXPECT_EQ(w.Save->text(), "Save");  // not before 200 ms
  EXPECT_TRUE(lumarte::testing::ProcessEventsUntil([&] { return fits == 1; }, 2000));
  EXPECT_EQ(w.Save->text(), "Sichern");
  lumarte::ui::SetLanguage({});
}

TEST_F(ApplyLanguageTest, TimerWithoutFileChangesNothing) {
  QTemporaryDir folder;
  int fits = 0;
  lumarte::ui::StartLanguageTimer(w.Window.get(), folder.path().toStdString(), [&] { ++fits; });
  lumarte::testing::ProcessEventsFor(400);
  EXPECT_EQ(fits, 0);
}

}  // namespace
