// The main window: its menus, thumbnails and status bar following the
// documents, the command line, help and the application error hooks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "WindowTest.h"
#include "editor/model/MetafileAccess.h"
#include "editor/ui/ImageView.h"
#include "editor/ui/ImagesWindow.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"
#include "platform/Clipboard.h"
#include "ui/ErrorHandler.h"
#include "support/TempFolder.h"
#include "support/TestCodec.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::fixtures;

namespace {

class MainWindowTest : public WindowTest {
 protected:
  TempFolder folder;
  QStringList started;
  std::vector<std::string> opened;  // by the desktop's viewer

  void SetUp() override {
    RegisterTestCodec();
    WindowTest::SetUp();
    // Metafiles are saved as test rasters: no renderer is needed.
    InstallMetafileFunctions({nullptr, &WriteTestRaster});
    window->StartInstance = [this](const QStringList& args) { started = args; };
    window->OpenDocument = [this](const std::string& file) { opened.push_back(file); };
  }
  void TearDown() override {
    WindowTest::TearDown();
    InstallMetafileFunctions({});
  }
  std::string Raster(const std::string& name, int w = 4, int h = 3, int seed = 0) {
    std::string path = folder.File(name);
    WriteTestRaster(path, Pattern(w, h, seed));
    return path;
  }
  void Open(const std::vector<std::string>& names) {
    prompts.OpenAnswers.push_back(names);
    Trigger("LMOpen1");
  }
  int OpenCount() const {
    int n = 0;
    for (int k = 0; k < kSlotCount; ++k) n += window->Docs.Slot(k).InUse;
    return n;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> n;
    for (int k = 0; k < kSlotCount; ++k)
      if (window->Docs.Slot(k).InUse) n.push_back(window->Docs.Slot(k).FileName);
    return n;
  }
};

}  // namespace


TEST_F(MainWindowTest, EveryEnabledItemDoesSomething) {
  for (QMenu* menu : window->menuBar()->findChildren<QMenu*>()) {
    for (QAction* a : menu->actions()) {
      if (a->isSeparator() || a->menu() || !a->isEnabled()) continue;
      // Recent-file items and the Images menu's slot items are connected too.
      // (Disconnecting tells whether a connection was there; the window is
      // not used afterwards.)
      EXPECT_TRUE(QObject::disconnect(a, &QAction::triggered, nullptr, nullptr))
          << a->objectName().toStdString();
    }
  }
}

TEST_F(MainWindowTest, OpeningShowsTheImageEverywhere) {
  Open({Raster("a.tst", 4, 3, 1), Raster("b.tst", 5, 2, 2)});
  ASSERT_EQ(OpenCount(), 2);
  EXPECT_EQ(LabelText("StatusBar2"), folder.File("b.tst"));
  EXPECT_EQ(Action("LMIm1")->text().toStdString(), folder.File("b.tst"));
  EXPECT_EQ(Action("LMIm2")->text().toStdString(), folder.File("a.tst"));
  EXPECT_TRUE(Action("LMIm2")->isVisible());
  EXPECT_FALSE(Action("LMIm3")->isVisible());
  EXPECT_EQ(window->ImagesForm->DocumentThumbnail(2)->toolTip().toStdString(),
            folder.File("a.tst"));
  EXPECT_EQ(window->ImagesForm->DocumentThumbnail(3)->toolTip(), "no pic");
  EXPECT_EQ(window->ImagesForm->HistoryThumbnail(1)->toolTip(), "no pic");
  EXPECT_EQ(window->View->ZoomedSize(), QSize(5, 2));
}

TEST_F(MainWindowTest, ActivationFitsTheWindowToTheImageAgain) {
  window->show();
  Open({Raster("a.tst", 300, 200, 1)});
  const QSize fitted = window->size();
  window->resize(fitted + QSize(150, 90));
  QEvent activation(QEvent::ActivationChange);
  QApplication::setActiveWindow(window.get());
  QApplication::sendEvent(window.get(), &activation);
  if (!window->isActiveWindow()) GTEST_SKIP() << "this platform does not activate windows";
  EXPECT_EQ(window->size(), fitted);
}

TEST_F(MainWindowTest, TheViewShowsTheZoomedPixels) {
  window->show();
  Open({Raster("big.tst", 2400, 1200, 7)});
  EXPECT_EQ(LabelText("StatusPanel0"), "(0.5:1)");
  EXPECT_EQ(window->View->ZoomedSize(), QSize(1200, 600));
  QImage shown = window->View->viewport()->grab().toImage();
  // Display (10, 3) shows image pixel (20, 6) at zoom 0.5.
  EXPECT_EQ(QColor(shown.pixel(10, 3)), QColor(20 + 7, 6, 7));
  Trigger("LMZoom21");
  EXPECT_DOUBLE_EQ(window->Docs.ZoomFactor, 2.0);
  EXPECT_EQ(window->View->ZoomedSize(), QSize(4800, 2400));
}

// Each answer of the save prompt on closing; a cancelled save dialog after
// "Save As" keeps the image like Cancel does.
// The window's save hooks turn a cancelled save dialog into a stop: the
// image would be lost otherwise.
TEST_F(MainWindowTest, CancelledSaveAsKeepsTheClosingImage) {
  Open({Raster("named.tst")});
  window->Docs.Current().Modified = true;
  prompts.SaveChangedAnswers.push_back(TSaveChangedAnswer::SaveAs);
  prompts.SaveNameAnswers = {""};
  Trigger("LMClose1");
  EXPECT_TRUE(window->Docs.Current().InUse);
  EXPECT_EQ(prompts.Messages, (std::vector<std::string>{"Operation Cancelled."}));
}

TEST_F(MainWindowTest, ClosingTheWindowAsksAndCancelKeepsItOpen) {
  window->show();
  Open({Raster("a.tst")});
  window->Docs.Current().Modified = true;
  prompts.SaveChangedAnswers.push_back(TSaveChangedAnswer::Cancel);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  prompts.SaveChangedAnswers.push_back(TSaveChangedAnswer::DontSave);
  EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, PasteAsNewFromTheClipboard) {
  platform::SetClipboardPicture(Pattern(6, 5, 4));
  Trigger("LMPasteasNew1");
  const TBM& d = window->Docs.Current();
  ASSERT_TRUE(d.InUse);
  EXPECT_EQ(d.FileName, "New");
  EXPECT_EQ(*d.Bitmap, Pattern(6, 5, 4));
  EXPECT_EQ(d.JpegQuality, 50);
  EXPECT_FALSE(d.Modified);
  QGuiApplication::clipboard()->setText("words");
  Trigger("LMPasteasNew1");
  EXPECT_EQ(prompts.Messages, (std::vector<std::string>{"Nothing on Clipboard!"}));
  EXPECT_EQ(OpenCount(), 1);
}

// "-clip" pastes; files and the other switches are run through the real
// program in StartupProcessTest.
TEST_F(MainWindowTest, CommandLineClipPastes) {
  platform::SetClipboardPicture(Pattern(3, 3, 8));
  window->HandleCommandLine({"-clip"});
  EXPECT_EQ(window->Docs.Current().FileName, "New");
}

TEST_F(MainWindowTest, SwitchingFromTheMenuAndTheImagesWindow) {
  Open({Raster("a.tst"), Raster("b.tst"), Raster("c.tst")});
  Trigger("LMIm3");
  EXPECT_EQ(window->Docs.Current().FileName, folder.File("a.tst"));
  EXPECT_EQ(window->Docs.Slot(2).FileName, folder.File("c.tst"));
  window->ImagesForm->show();
  QTest::mouseDClick(window->ImagesForm->DocumentThumbnail(2), Qt::LeftButton);
  EXPECT_EQ(window->Docs.Current().FileName, folder.File("b.tst"));
  // A free slot opens a file instead.
  prompts.OpenAnswers.push_back({Raster("d.tst")});
  QTest::mouseDClick(window->ImagesForm->DocumentThumbnail(6), Qt::LeftButton);
  EXPECT_EQ(window->Docs.Current().FileName, folder.File("d.tst"));
}

TEST_F(MainWindowTest, HistoryPickFromTheImagesWindow) {
  Open({Raster("a.tst")});
  for (TColor c : {TColor{1}, TColor{2}, TColor{3}}) {
    window->Docs.PushUndo();
    window->Docs.Current().Bitmap->SetPixel(0, 0, c);
  }
  EXPECT_TRUE(Action("LMUndo1")->isEnabled());
  window->ImagesForm->show();
  QTest::mouseDClick(window->ImagesForm->HistoryThumbnail(3), Qt::LeftButton);  // Undo[2]
  EXPECT_EQ(window->Docs.Current().Bitmap->Pixel(0, 0), TColor{1});
  Trigger("LMUndo1");
  EXPECT_EQ(window->Docs.Current().Bitmap->Pixel(0, 0), TColor{3});
  EXPECT_TRUE(Action("LMRedo1")->isEnabled());
  QTest::mouseDClick(window->ImagesForm->HistoryThumbnail(1), Qt::LeftButton);  // redo
  EXPECT_EQ(window->Docs.Current().Bitmap->Pixel(0, 0), TColor{1});
  EXPECT_FALSE(Action("LMRedo1")->isEnabled());
}

TEST_F(MainWindowTest, DroppedFilesOpenLikeOpen) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(Raster("a.tst"))),
                QUrl::fromLocalFile(QString::fromStdString(Raster("b.tst"))),
                QUrl("https://example.org/c.png")});
  // A drag enters, then drops: Qt hands the drop to the widget that took the enter.
  auto drop = [&] {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
  };
  drop();
  EXPECT_EQ(Names(), (std::vector<std::string>{folder.File("b.tst"), folder.File("a.tst")}));

  QMimeData text;
  text.setText("just words");
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &enter);
  EXPECT_FALSE(enter.isAccepted());
}

TEST_F(MainWindowTest, SendToANewWindowGoesThroughTheClipboard) {
  Open({Raster("a.tst", 4, 3, 5)});
  Trigger("LMSendToanewLumartewindow1");
  EXPECT_EQ(started, QStringList{"-clip"});
  EXPECT_EQ(platform::ClipboardPicture(), Pattern(4, 3, 5));
}

TEST_F(MainWindowTest, RecentFilesMenuFollowsTheList) {
  std::string a = Raster("a.tst", 9, 8);
  Open({a});
  Trigger("LMClose1");
  EXPECT_EQ(Action("N11")->text().toStdString(), "1 " + a);
  EXPECT_TRUE(Action("N12")->isVisible());
  EXPECT_FALSE(Action("N12")->isEnabled());  // shown, but holds no name
  EXPECT_FALSE(Action("N13")->isVisible());
  Trigger("N11");
  EXPECT_EQ(window->Docs.Current().FileName, a);
}

// The format's extension appended by Save As renames the document everywhere.
TEST_F(MainWindowTest, SaveAsWithAnAppendedExtension) {
  Open({Raster("a.tst")});
  prompts.SaveNameAnswers.push_back(folder.File("picture.tif"));
  prompts.FormatAnswers.push_back(TSaveFormatChoice::Png);
  Trigger("LMSaveas1");
  const std::string saved = folder.File("picture.tif.png");
  EXPECT_EQ(LabelText("StatusBar2"), saved);
  EXPECT_EQ(Action("LMIm1")->text().toStdString(), saved);
}

TEST_F(MainWindowTest, SettingTogglesFlipTheStoredOption) {
  TSettings& settings = ProgramState().Settings;
  for (auto [name, option] : {std::pair{"LMUseWizardforThumbnailCreator1", kUseThumbnailWizard},
                              std::pair{"LMAfterFreehandswitchtoPolygon", kPolygonAfterFreehand}}) {
    QAction* item = Action(name);
    const bool before = settings.GetBool(option);
    EXPECT_EQ(item->isChecked(), before);
    item->trigger();
    EXPECT_EQ(settings.GetBool(option), !before) << name;
    EXPECT_EQ(item->isChecked(), !before) << name;
    item->trigger();
  }
}

TEST_F(MainWindowTest, HelpPagesGoToTheDesktopViewerReadmeToTheTextWindow) {
  Trigger("LMHelp2");
  Trigger("LMFAQ1");
  EXPECT_EQ(opened, (std::vector<std::string>{imaging::ProgramDirectory() + "help.html",
                                              imaging::ProgramDirectory() + "FAQ.html"}));
  EXPECT_EQ(Action("LMHelp2")->shortcut().toString(), "F1");

  std::string readme = imaging::ProgramDirectory() + "Readme.txt";
  ASSERT_FALSE(std::filesystem::exists(readme)) << "the test folder holds a Readme";
  Trigger("LMReadme1");
  EXPECT_EQ(prompts.Messages, (std::vector<std::string>{"File not found: " + readme}));
  std::ofstream(readme) << "Lumarte 1.0\r\n\r\nline three\n";
  Trigger("LMReadme1");
  std::filesystem::remove(readme);
  ASSERT_EQ(prompts.Texts.size(), 1u);
  EXPECT_EQ(prompts.Texts[0], (std::vector<std::string>{"Lumarte 1.0", "", "line three"}));
}

TEST_F(MainWindowTest, OutOfResourcesClosesAllImagesAndEnds) {
  int ended = 0;
  lumarte::ui::ApplicationErrorHandler().Terminate = [&] { ++ended; };
  Open({Raster("a.tst"), Raster("b.tst")});
  window->Docs.PushUndo();
  ASSERT_TRUE(window->Docs.Current().Undo[1]);
  window->Guard([] { throw EOutOfResources("no more windows"); });
  EXPECT_EQ(prompts.Messages,
            (std::vector<std::string>{
                "Out of Ressources! Lumarte will terminate after closing all images."}));
  EXPECT_EQ(OpenCount(), 0);
  EXPECT_EQ(ended, 1);
}

TEST_F(MainWindowTest, PlaceholderFromTheProgramState) {
  EXPECT_EQ(*window->Docs.Current().Bitmap, ProgramState().Placeholder);
}
