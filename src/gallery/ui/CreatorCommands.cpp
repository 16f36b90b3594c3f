// The creator's list commands: adding, moving and removing images, the set
// files, the selected entry's fields and the way back to the editor.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "editor/model/ImageFormats.h"
#include "gallery/model/GalleryImages.h"
#include "gallery/model/SetFile.h"
#include "gallery/ui/ThumbnailCreatorForm.h"
#include "imaging/FileUtils.h"
#include "imaging/RevedBitmap.h"
#include "platform/RasterImage.h"

namespace lumarte::gallery {

namespace {

bool NamesImage(const std::string& path, std::initializer_list<const char*> endings) {
  const std::string upper = imaging::UpperCase(path);
  for (const char* e : endings)
    if (upper.find(e) != std::string::npos) return true;
  return false;
}

}  // namespace

int TThumbnailCreatorForm::Selected() const {
  const int row = ImagesListBox->currentRow();
  return row >= 0 && row < static_cast<int>(Project.Entries.size()) ? row : -1;
}

void TThumbnailCreatorForm::ListChanged() {
  ImagesListBox->setToolTip(QString::fromStdString(Project.CountHint()));
  ShowEntry();
}

bool TThumbnailCreatorForm::AddImage(const std::string& fileName, const std::string& name) {
  if (!Project.AddImage(fileName, name, &Prompts)) return false;
  ImagesListBox->addItem(QString::fromStdString(Project.Entries.back().Name));
  {
    const QSignalBlocker quiet(ImagesListBox);
    ImagesListBox->setCurrentRow(ImagesListBox->count() - 1);
  }
  ListChanged();
  return true;
}

void TThumbnailCreatorForm::AddThumnails1Click() {
  const auto names =
      Prompts.AskOpenFileNames(editor::OpenDialogFilter(imaging::BitmapLoaders().CombinedLoadFilter()));
  // The editor's dialog belongs to the editor's window; the creator comes back on top.
  raise();
  activateWindow();
  const bool show = ShowCheckBox->isChecked();
  ShowCheckBox->setChecked(false);
  try {
    for (const std::string& f : names)
      if (NamesImage(f, {".JPG", ".BMP", ".PNG", ".JPEG"})) AddImage(f, FilePart(f));
  } catch (...) {
    ShowCheckBox->setChecked(show);
    throw;
  }
  ShowCheckBox->setChecked(show);
  ShowEntry();
}

void TThumbnailCreatorForm::Load1Click() {
  const std::string file = Ask.AskOpenFile("Set of Thumbs|*.set");
  if (file.empty()) return;
  const size_t before = Project.Entries.size();
  LoadSetFile(Project, file, &Prompts);
  // The list shows each image's name as it was added, not the saved one.
  for (size_t i = before; i < Project.Entries.size(); ++i)
    ImagesListBox->addItem(QString::fromStdString(WebName(FilePart(Project.Entries[i].FileName))));
  ListChanged();
}

void TThumbnailCreatorForm::Save1Click() {
  const std::string file = Ask.AskSaveFile("Set of Thumbs|*.set", "set", {});
  if (!file.empty()) SaveSetFile(file, Project.Entries);
}

void TThumbnailCreatorForm::Button1Click() {
  const int i = Selected();
  if (i <= 0) return;
  Project.MoveUp(static_cast<size_t>(i));
  ImagesListBox->insertItem(i - 1, ImagesListBox->takeItem(i));
  ImagesListBox->setCurrentRow(i - 1);
}

void TThumbnailCreatorForm::Button2Click() {
  const int i = Selected();
  if (i < 0 || i + 1 >= ImagesListBox->count()) return;
  Project.MoveDown(static_cast<size_t>(i));
  ImagesListBox->insertItem(i + 1, ImagesListBox->takeItem(i));
  ImagesListBox->setCurrentRow(i + 1);
}

void TThumbnailCreatorForm::Button3Click() {
  const int i = Selected();
  if (i < 0) return;
  Project.Remove(static_cast<size_t>(i));
  delete ImagesListBox->takeItem(i);
  ListChanged();
}

void TThumbnailCreatorForm::Button11Click() {
  Project.Entries.clear();
  ImagesListBox->clear();
  ImagesListBox->setCurrentRow(-1);
  ListChanged();
}

void TThumbnailCreatorForm::ShowEntry() {
  Showing = true;
  const int i = Selected();
  if (i < 0) {
    for (QLineEdit* e : {NmEdit, FNEdit, HintEdit}) e->clear();
    DescEdit->clear();
    PreviewImage->hide();
    Showing = false;
    return;
  }
  GalleryEntry& e = Project.Entries[static_cast<size_t>(i)];
  e.Name = e.Link = ShownName(e.Name);
  NmEdit->setText(QString::fromStdString(e.Name));
  FNEdit->setText(QString::fromStdString(e.FileName));
  HintEdit->setText(QString::fromStdString(e.Hint));
  if (DescEdit->toPlainText().toStdString() != e.Description)
    DescEdit->setPlainText(QString::fromStdString(e.Description));
  Showing = false;
  ShowPreview(e);
}

void TThumbnailCreatorForm::ShowPreview(const GalleryEntry& e) {
  PreviewImage->hide();
  if (!ShowCheckBox->isChecked()) return;
  try {
    const editor::TBitmap picture = DecodeSource(e.FileName);
    PreviewImage->setPixmap(QPixmap::fromImage(
        platform::StretchedImage(picture, PreviewImage->width(), PreviewImage->height())));
    PreviewImage->show();
  } catch (const std::exception&) {
    // A picture the preview cannot read (a GIF, a metafile) simply shows none.
  }
}

void TThumbnailCreatorForm::WriteBack(const std::function<void(GalleryEntry&)>& edit) {
  if (Showing) return;
  const int i = Selected();
  if (i < 0) {
    ShowEntry();
    return;
  }
  edit(Project.Entries[static_cast<size_t>(i)]);
}

void TThumbnailCreatorForm::SendImagetoLumarte1Click() {
  const int i = Selected();
  if (i < 0) return;
  const std::string& file = Project.Entries[static_cast<size_t>(i)].FileName;
  if (!NamesImage(file, {".JPG", ".JPEG", ".PNG", ".BMP"})) return;
  if (Editor.OpenImage) Editor.OpenImage(file);
  StartedAlone = false;
}

void TThumbnailCreatorForm::GotoLumarte1Click() {
  StartedAlone = false;
  if (Editor.ShowEditor) Editor.ShowEditor();
}

void TThumbnailCreatorForm::Exit1Click() {
  close();
}

void TThumbnailCreatorForm::ExitThumbnailCreatorandLumarte1Click() {
  StartedAlone = false;
  close();
  if (Editor.EndProgram) Editor.EndProgram();
}

}  // namespace lumarte::gallery
