// Starts the real program (offscreen) with files and switches and reads back
// what it opened: the program writes a report when LUMARTE_STARTUP_REPORT is
// set, then closes its window the normal way, writing its settings.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <filesystem>
#include <fstream>
#include <map>

#include "editor/model/DocumentCodecs.h"
#include "editor/model/ProgramSettings.h"
#include "support/ScopedState.h"
#include "support/TempFolder.h"

using namespace lumarte::editor;
using lumarte::fixtures::TempFolder;

namespace {

const std::string kProgram = std::string(LUMARTE_BINARY_DIR) + "/lumarte";

struct Report {
  std::map<int, std::string> Open;  // slot -> file
  std::map<std::string, std::string> Lines;
  std::vector<std::string> Recent;
};

class StartupProcess : public ::testing::Test {
 protected:
  TempFolder work;
  std::string config = work / "config";

  // Runs the program from folder with args; gives its report.
  Report Run(const QStringList& args, const std::string& folder,
             const std::string& program = kProgram) {
    std::string reportFile = work / "report.txt";
    std::filesystem::remove(reportFile);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(config));
    env.insert("LUMARTE_STARTUP_REPORT", QString::fromStdString(reportFile));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(folder));
    process.start(QString::fromStdString(program), args);
    EXPECT_TRUE(process.waitForFinished(30000)) << "the program did not end";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    Report r;
    QFile file(QString::fromStdString(reportFile));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << "no report";
    QTextStream in(&file);
    while (!in.atEnd()) {
      QString line = in.readLine();
      QString key = line.section(' ', 0, 0);
      QString rest = line.section(' ', 1);
      if (key == "open")
        r.Open[rest.section(' ', 0, 0).toInt()] = rest.section(' ', 1).toStdString();
      else if (key == "recent")
        r.Recent.push_back(rest.section(' ', 1).toStdString());
      else
        r.Lines[key.toStdString()] = rest.toStdString();
    }
    return r;
  }
  // Files to open are bitmaps; the program reads them with the same codecs
  // as this test program.
  std::vector<std::string> Bitmaps(int n) {
    std::vector<std::string> files;
    for (int i = 1; i <= n; ++i) {
      files.push_back(work / ("img" + std::to_string(i) + ".bmp"));
      WriteBmpFile(files.back(), TBitmap(2, 1), 24);
    }
    return files;
  }
  void SetUp() override { ASSERT_TRUE(std::filesystem::exists(kProgram)) << kProgram; }
};

struct SwitchCase {
  const char* Argument;
  const char* Tool;
  const char* ImagesWindow;
};

class StartupSwitch : public StartupProcess, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(StartupSwitch, ImagesWindowUnlessATool) {
  Report r = Run({GetParam().Argument}, work.Path);
  EXPECT_TRUE(r.Open.empty());
  EXPECT_EQ(r.Lines["tool"], GetParam().Tool);
  EXPECT_EQ(r.Lines["images-window"], GetParam().ImagesWindow);
}

INSTANTIATE_TEST_SUITE_P(Switches, StartupSwitch,
                         ::testing::Values(SwitchCase{"-thumb", "thumb", "hidden"},
                                           SwitchCase{"-VIDEO", "video", "hidden"},
                                           SwitchCase{"-Capture", "capture", "hidden"},
                                           SwitchCase{"-BROWSER", "browser", "shown"}));

// The first ten of twelve files open, the last one current; a stored default
// folder becomes current, yet names relative to the start folder still open.
// Closing the images at exit puts them into the recent-file list the next
// run reads.
TEST_F(StartupProcess, TwelveFilesThenTheirRecentListInTheNextRun) {
  std::filesystem::create_directories(work / "default");
  {
    lumarte::fixtures::ScopedEnv xdg("XDG_CONFIG_HOME", config);
    TSettings settings;
    settings.Load();
    settings.SetNoOfRecentFiles(8);
    settings.UseDefaultDir = true;
    settings.DefaultDir = work / "default";
    settings.WriteBack();
    settings.Save();
  }
  auto files = Bitmaps(12);
  QStringList args;
  for (int i = 1; i <= 12; ++i) args << QString("img%1.bmp").arg(i);
  Report first = Run(args, work.Path);
  ASSERT_EQ(first.Open.size(), 10u);
  for (int slot = 0; slot < 10; ++slot) EXPECT_EQ(first.Open[slot], files[9 - slot]) << slot;
  EXPECT_EQ(first.Lines["images-window"], "shown");
  EXPECT_EQ(first.Lines["tool"], "none");

  Report second = Run({}, work.Path);
  EXPECT_TRUE(second.Open.empty());
  ASSERT_EQ(second.Recent.size(), 8u);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(second.Recent[k], files[k]) << k;
  std::string stored = TempFolder::Read(config + "/Tarvex/Lumarte/Options");
  EXPECT_NE(stored.find("DefaultDir\r\n##\r\n" + (work / "default") + "\r\n"), std::string::npos);
}

TEST_F(StartupProcess, LanguageFileBesideTheProgramRenamesMenus) {
  // A program folder of its own: the executable and a language file.
  std::string folder = work / "program";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(kProgram, folder + "/lumarte");
  std::ofstream(folder + "/lang.txt")
      << "LMOpen1.Caption:=Bild laden\r\nLMOpen1.Caption:=second\r\n";
  Report r = Run({}, work.Path, folder + "/lumarte");
  EXPECT_EQ(r.Lines["LMOpen1"], "Bild laden");
}

}  // namespace
