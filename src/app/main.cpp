#include <QApplication>

#include "editor/ui/MainWindow.h"
#include "imaging/ICOLoader.h"
#include "imaging/ImageDLLLoader.h"
#include "imaging/ui/IconSelectionForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumarte 1.0"));
  // Formats of the codec libraries beside the program (JPEG 2000, ...).
  lumarte::imaging::ScanProgramFolder();
  // Icon files holding several images ask which one to open.
  lumarte::imaging::TIconSelectionChooser iconChooser;
  lumarte::imaging::IconLoader().Chooser = &iconChooser;
  lumarte::editor::TForm1 window;
  window.show();
  window.HandleCommandLine(QApplication::arguments().mid(1));
  const int status = QApplication::exec();
  lumarte::imaging::IconLoader().Chooser = nullptr;
  return status;
}
