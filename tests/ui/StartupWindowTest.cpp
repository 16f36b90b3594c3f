// The main window's start-up work: command line, settings toggles, help
// commands and the application error handler's hooks.
#include <gtest/gtest.h>

#include <QAction>
#include <filesystem>
#include <fstream>

#include "editor/model/ProgramState.h"
#include "editor/model/RasterConversion.h"
#include "ui/ErrorHandler.h"
#include "editor/ui/ImagesWindow.h"
#include "editor/ui/MainWindow.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"
#include "support/FakePrompts.h"
#include "support/TempFolder.h"
#include "support/TestCodec.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::fixtures;

namespace {

class StartupWindowTest : public ::testing::Test {
 protected:
  TempFolder folder;
  FakePrompts prompts;
  std::unique_ptr<TForm1> window;
  std::vector<std::string> opened;

  void SetUp() override {
    RegisterTestCodec();
    window = std::make_unique<TForm1>(&prompts);
    window->OpenDocument = [this](const std::string& file) { opened.push_back(file); };
  }
  void TearDown() override {
    for (int k = 0; k < kSlotCount; ++k) window->Docs.Slot(k).Modified = false;
    window.reset();
  }
  QAction* Action(const char* name) { return window->findChild<QAction*>(name); }
  std::string Raster(const std::string& name) {
    std::string path = folder.File(name);
    WriteTestRaster(path, Pattern(3, 2, 1));
    return path;
  }
};

TEST_F(StartupWindowTest, FilesAfterASwitchArgumentStillOpen) {
  std::string a = Raster("a.tst");
  window->StartFromCommandLine(ParseCommandLine({"-BROWSER", "a.tst"}, folder.Path.string()));
  window->show();
  EXPECT_EQ(window->Docs.Current().FileName, a);
  EXPECT_TRUE(window->ImagesForm->isVisible());
}

TEST_F(StartupWindowTest, SettingToggles) {
  TSettings& settings = ProgramState().Settings;
  for (auto [name, option] : {std::pair{"LMUseWizardforThumbnailCreator1", kUseThumbnailWizard},
                              std::pair{"LMAfterFreehandswitchtoPolygon", kPolygonAfterFreehand}}) {
    QAction* item = Action(name);
    ASSERT_TRUE(item->isCheckable()) << name;
    bool before = settings.GetBool(option);
    EXPECT_EQ(item->isChecked(), before);
    item->trigger();
    EXPECT_EQ(settings.GetBool(option), !before);
    EXPECT_EQ(item->isChecked(), !before);
    item->trigger();
    EXPECT_EQ(settings.GetBool(option), before);
  }
}

TEST_F(StartupWindowTest, HelpPagesGoToTheDesktopViewer) {
  Action("LMHelp2")->trigger();
  Action("LMFAQ1")->trigger();
  EXPECT_EQ(opened, (std::vector<std::string>{imaging::ProgramDirectory() + "help.html",
                                              imaging::ProgramDirectory() + "FAQ.html"}));
  EXPECT_EQ(Action("LMHelp2")->shortcut().toString(), "F1");
}

TEST_F(StartupWindowTest, ReadmeInTheTextWindow) {
  std::string readme = imaging::ProgramDirectory() + "Readme.txt";
  ASSERT_FALSE(std::filesystem::exists(readme)) << "the test folder holds a Readme";
  Action("LMReadme1")->trigger();
  EXPECT_EQ(prompts.Messages, (std::vector<std::string>{"File not found: " + readme}));
  std::ofstream(readme) << "Lumarte 1.0\r\n\r\nline three\n";
  Action("LMReadme1")->trigger();
  std::filesystem::remove(readme);
  ASSERT_EQ(prompts.Texts.size(), 1u);
  EXPECT_EQ(prompts.Texts[0], (std::vector<std::string>{"Lumarte 1.0", "", "line three"}));
}

TEST_F(StartupWindowTest, OutOfResourcesClosesAllImagesAndEnds) {
  int ended = 0;
  lumarte::ui::ApplicationErrorHandler().Terminate = [&] { ++ended; };
  window->HandleCommandLine(
      {QString::fromStdString(Raster("a.tst")), QString::fromStdString(Raster("b.tst"))});
  window->Docs.PushUndo();
  ASSERT_TRUE(window->Docs.Current().Undo[1]);
  window->Guard([] { throw EOutOfResources("no more windows"); });
  EXPECT_EQ(prompts.Messages,
            (std::vector<std::string>{
                "Out of Ressources! Lumarte will terminate after closing all images."}));
  EXPECT_FALSE(window->Docs.Current().InUse);
  EXPECT_EQ(ended, 1);
  window->Guard([] { throw std::bad_alloc(); });
  EXPECT_EQ(prompts.Messages.back(), "Error Code: OutOfMemory");
}

TEST_F(StartupWindowTest, PlaceholderFromTheProgramState) {
  EXPECT_EQ(window->Docs.Placeholder(), ProgramState().Placeholder);
  EXPECT_EQ(*window->Docs.Current().Bitmap, ProgramState().Placeholder);
}

}  // namespace
