// The browser's menu commands, the folder list and web mode.
#include <QAction>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>

#include "browser/model/BrowserTexts.h"
#include "browser/model/WebPage.h"
#include "browser/ui/ImageBrowserForm.h"
#include "imaging/Errors.h"

namespace lumarte::browser {

void TImageBrowserForm::ShowFolder(const std::string& folder) {
  if (TrimFolder(folder) != FolderName) {
    FirstIndex = 0;
    BrowseScrollBar->setValue(0);
  }
  FolderName = folder;
  LeaveWebMode();
  ScanFolder();
}

void TImageBrowserForm::ScanFolder() {
  Scanning = true;
  Generation = Worker->Cancel();
  Pending = 0;
  Thumbs.Clear();
  StringGrid1->setRowCount(1);
  TFolderContents contents = browser::ScanFolder(FolderName);
  FolderName = contents.Folder;
  LocationEdit->setText(QString::fromStdString(FolderName));
  FileList = std::move(contents.Files);
  // The listing comes in no particular order here; names read best sorted.
  SortImages(FileList, TBrowserSort::NameUp);
  StringGrid1->setRowCount(static_cast<int>(contents.SubFolders.size()) + 1);
  for (size_t k = 0; k < contents.SubFolders.size(); ++k)
    StringGrid1->setItem(static_cast<int>(k) + 1, 0,
                         new QTableWidgetItem(QString::fromStdString(contents.SubFolders[k])));
  Scanning = false;
  if (!FileList.empty()) SetStatus(ImageCountText(static_cast<int>(FileList.size())));
  Draw();
}

void TImageBrowserForm::LeaveWebMode() {
  Session.Stop();
  if (InWebMode) Thumbs.Clear();
  InWebMode = false;
  for (QAction* a : SortActions) a->setEnabled(true);
}

void TImageBrowserForm::IBBackToLumarte1Click() {
  if (Editor.ShowEditor) Editor.ShowEditor();
}

void TImageBrowserForm::IBChangedirectory1Click() {
  if (auto folder = Prompts.AskFolder(FolderName)) ShowFolder(*folder);
}

void TImageBrowserForm::IBRefresh1Click() {
  ShowFolder(FolderName);
}

void TImageBrowserForm::IBOpenURL1Click() {
  auto text = Prompts.AskUrl();
  if (!text) return;
  std::string url = TypedUrl(*text);
  if (url.empty()) return;
  Generation = Worker->Cancel();
  Pending = 0;
  Session.Open(url);
  Draw();
}

void TImageBrowserForm::IBThumbSizeClick(int size) {
  if (TThumbnailCache::SizeChangeEmpties(ThumbWidth, size)) Thumbs.Clear();
  ThumbWidth = ThumbHeight = size;
  for (QAction* a : SizeActions) a->setChecked(a->data().toInt() == size);
  Draw();
}

void TImageBrowserForm::IBGoTo1Click() {
  int maximum = BrowseScrollBar->maximum();
  if (maximum == 0) throw ELumarteError(kAllImagesVisible);
  int count = Count();
  auto value = Prompts.AskGotoImage(count, GotoStartValue(BrowseScrollBar->value(), count, maximum));
  if (value) BrowseScrollBar->setValue(GotoPosition(*value, count, maximum));
}

void TImageBrowserForm::IBSortClick(TBrowserSort sort) {
  if (InWebMode) return;
  SortImages(FileList, sort);
  Draw();
}

void TImageBrowserForm::IBReverseorder1Click() {
  if (InWebMode) return;
  ReverseImages(FileList);
  Draw();
}

void TImageBrowserForm::StringGrid1DblClick(int row) {
  if (Scanning || InWebMode || row < 1) return;
  QTableWidgetItem* cell = StringGrid1->item(row, 0);
  if (!cell) return;
  SetStatus(kChangingDir);
  ShowFolder(FolderForCell(FolderName, cell->text().toStdString()));
}

void TImageBrowserForm::StringGrid1MouseMove(int row) {
  if (row == 0) {
    SetStatus(kFolderListHint);
  } else if (QTableWidgetItem* cell = StringGrid1->item(row, 0)) {
    SetStatus(cell->text().toStdString());
  }
}

// ---- web mode ----

void TImageBrowserForm::ShowStatus(const std::string& text) {
  SetStatus(text);
}

void TImageBrowserForm::WebImagesFound() {
  InWebMode = true;
  Thumbs.Clear();
  FirstIndex = 0;
  BrowseScrollBar->setValue(0);
  LocationEdit->setText(QString::fromStdString(Session.Url()));
  for (QAction* a : SortActions) a->setEnabled(false);  // web images keep the page's order
  Draw();
}

void TImageBrowserForm::WebImageReady(int) {
  Draw();
}

void TImageBrowserForm::WebModeEnded() {
  if (InWebMode) Thumbs.Clear();
  InWebMode = false;
  for (QAction* a : SortActions) a->setEnabled(true);
  LocationEdit->setText(QString::fromStdString(FolderName));
  Draw();
}

}  // namespace lumarte::browser
