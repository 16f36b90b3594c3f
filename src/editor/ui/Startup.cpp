#include "editor/ui/Startup.h"

#include <QAction>
#include <QFile>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "editor/model/ProgramState.h"
#include "ui/ApplyLanguage.h"
#include "ui/DialogBackground.h"
#include "ui/ErrorHandler.h"
#include "editor/ui/ImagesWindow.h"
#include "editor/ui/MainWindow.h"
#include "effects/ui/BaseEffectForm.h"
#include "imaging/FileUtils.h"
#include "imaging/ICOLoader.h"
#include "imaging/ImageDLLLoader.h"
#include "editor/ui/IconSelectionForm.h"
#include "platform/RasterImage.h"

namespace lumarte::editor {

namespace {

const char* ToolName(TStartTool tool) {
  switch (tool) {
    case TStartTool::Thumb:
      return "thumb";
    case TStartTool::Browser:
      return "browser";
    case TStartTool::Video:
      return "video";
    case TStartTool::Capture:
      return "capture";
    default:
      return "none";
  }
}

// For the start-up test: when LUMARTE_STARTUP_REPORT names a file, the
// program writes what it opened there shortly after start (the language file
// is applied by then) and closes its window the normal way.
void ScheduleStartupReport(TForm1& window) {
  QString file = qEnvironmentVariable("LUMARTE_STARTUP_REPORT");
  if (file.isEmpty()) return;
  QTimer::singleShot(600, &window, [&window, file] {
    QFile out(file);
    if (out.open(QIODevice::WriteOnly | QIODevice::Text)) {
      QTextStream s(&out);
      for (int k = 0; k < kSlotCount; ++k)
        if (window.Docs.Slot(k).InUse)
          s << "open " << k << ' ' << QString::fromStdString(window.Docs.Slot(k).FileName) << '\n';
      s << "images-window " << (window.ImagesForm->isVisible() ? "shown" : "hidden") << '\n';
      s << "tool " << ToolName(window.StartTool) << '\n';
      for (int k = 1; k <= TRecentFiles::kMaxEntries; ++k)
        s << "recent " << k << ' ' << QString::fromStdString(window.Files.Recent.Entry(k)) << '\n';
      if (QAction* open = window.findChild<QAction*>("LMOpen1"))
        s << "LMOpen1 " << open->text() << '\n';
    }
    window.close();
  });
}

// Exit: the recent files as the window kept them, under the list length the
// Options dialog may have changed; then the settings go to the store.
void SaveAtExit(TProgramState& state, const TForm1& window) {
  for (int k = 1; k <= TRecentFiles::kMaxEntries; ++k)
    state.Settings.Recent.SetEntry(k, window.Files.Recent.Entry(k));
  try {
    SaveProgramState(state);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lumarte: settings not saved: %s\n", e.what());
  }
}

}  // namespace

int RunLumarte(int argc, char** argv) {
  // Relative file names on the command line mean the folder the program was
  // started in, even when the default folder becomes current below.
  std::error_code ec;
  std::string startFolder = std::filesystem::current_path(ec).string();
  ui::TLumarteApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumarte 1.0"));

  TProgramState& state = ProgramState();
  LoadProgramState(state, imaging::ProgramDirectory());
  QImage background = platform::ToQImage(state.DialogBackground);
  ui::SetDialogBackgroundPicture(background);
  ui::InstallDialogBackgrounds();
  effects::TBaseEffectForm::SetDialogBackground(QPixmap::fromImage(background));
  // Formats of the codec libraries beside the program (JPEG 2000, ...).
  imaging::ScanProgramFolder();
  // Icon files holding several images ask which one to open.
  TIconSelectionChooser iconChooser;
  iconChooser.FormCreated = ui::ApplyLanguageToForm;
  imaging::IconLoader().Chooser = &iconChooser;

  int status = 0;
  {
    TForm1 window;
    // Qt has taken its own options out of argv by now.
    window.StartFromCommandLine(ParseCommandLine({argv + 1, argv + argc}, startFolder));
    window.show();
    ScheduleStartupReport(window);
    status = QApplication::exec();
    SaveAtExit(state, window);
  }
  imaging::IconLoader().Chooser = nullptr;
  return status;
}

}  // namespace lumarte::editor
