#include "gallery/ui/QtCreatorPrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "ui/FileFilter.h"

namespace lumarte::gallery {

// The editor's question box: caption "QUESTION", the question, its
// explanation below, "Yes" and "No".
bool TQtCreatorPrompts::AskRemovePrevious() {
  QMessageBox box(QMessageBox::Question, "QUESTION",
                  "Remove the previously computed gallery before computing the new one?",
                  QMessageBox::NoButton, Window);
  box.setObjectName("AskForm");
  box.setInformativeText("Yes if it's the old one with some change. No, if it's a new gallery.");
  QPushButton* yes = box.addButton("Yes", QMessageBox::YesRole);
  box.addButton("No", QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.exec();
  return box.clickedButton() == yes;
}

std::optional<editor::TJpegSaveChoice> TQtCreatorPrompts::AskJpegOptions(
    const editor::TBitmap& image) {
  return Editor.AskJpegOptions(image);
}

std::string TQtCreatorPrompts::AskFolder(const std::string& start) {
  return QFileDialog::getExistingDirectory(Window, "Select a Directory",
                                           QString::fromStdString(start))
      .toStdString();
}

std::string TQtCreatorPrompts::AskOpenFile(const std::string& filter) {
  QString chosen =
      QFileDialog::getOpenFileName(Window, "Open", LastFolder, ui::QtFileFilter(filter));
  if (!chosen.isEmpty()) LastFolder = QFileInfo(chosen).absolutePath();
  return chosen.toStdString();
}

std::string TQtCreatorPrompts::AskSaveFile(const std::string& filter,
                                           const std::string& defaultExt,
                                           const std::string& folder) {
  QFileDialog dialog(Window, "Save as",
                     folder.empty() ? LastFolder : QString::fromStdString(folder),
                     ui::QtFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromStdString(defaultExt));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  QString chosen = dialog.selectedFiles().front();
  LastFolder = QFileInfo(chosen).absolutePath();
  return chosen.toStdString();
}

}  // namespace lumarte::gallery
