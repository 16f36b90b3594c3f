// Drawing the grid: cached pictures at once, the others from the thumbnail
// workers as they arrive, shown row by row.
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

#include "browser/model/BrowserTexts.h"
#include "browser/ui/BrowsePicture.h"
#include "browser/ui/ImageBrowserForm.h"
#include "imaging/FileUtils.h"
#include "platform/RasterImage.h"

namespace lumarte::browser {

int TImageBrowserForm::Count() const {
  return InWebMode ? static_cast<int>(Session.Images().size()) : static_cast<int>(FileList.size());
}

std::string TImageBrowserForm::PathOf(int index) const {
  if (index < 0 || index >= Count()) return {};
  if (InWebMode) return Session.Images()[static_cast<size_t>(index)].LocalFile;
  return imaging::AddBackslash(FolderName) + FileList[static_cast<size_t>(index)].Name;
}

void TImageBrowserForm::Draw() {
  if (!isVisible()) return;
  Drawing = true;
  GridNow = ComputeGrid(BrowseImage->width(), BrowseImage->height(), ThumbWidth, ThumbHeight);
  const int count = Count();
  int maximum = ScrollMaximum(GridNow, count);
  BrowseScrollBar->setRange(0, maximum);
  BrowseScrollBar->setPageStep(GridNow.Rows);
  if (FirstIndex >= count) {
    FirstIndex = 0;
    BrowseScrollBar->setValue(0);
  }
  if (count == 0) SetStatus(InWebMode ? kNoImageFound : kNoImageInDirectory);
  Offscreen = QImage(BrowseImage->size(), QImage::Format_RGB32);
  Offscreen.fill(Qt::white);
  std::vector<TThumbnailJob> jobs;
  RowPending.assign(static_cast<size_t>(GridNow.Rows), 0);
  for (int r = 0; r < GridNow.Rows; ++r) {
    for (int c = 0; c < GridNow.Columns; ++c) {
      int i = FirstIndex + r * GridNow.Columns + c;
      std::string path = PathOf(i);
      if (path.empty()) continue;
      if (auto cached = Thumbs.Find(path)) {
        DrawCell(i, *cached);
      } else {
        jobs.push_back({i, path});
        ++RowPending[static_cast<size_t>(r)];
      }
    }
  }
  Pending = static_cast<int>(jobs.size());
  // What is no longer in view is not decoded any more.
  Generation = jobs.empty()
                   ? Worker->Cancel()
                   : Worker->Start(std::move(jobs), GridNow.CellWidth, GridNow.CellHeight);
  ShowOffscreen();
  Drawing = false;
}

void TImageBrowserForm::DrawCell(int index, const editor::TBitmap& picture) {
  if (picture.Empty()) return;  // a file that did not load draws nothing
  int k = index - FirstIndex;
  TPlace fit = FitInCell(picture.Width(), picture.Height(), GridNow.CellWidth, GridNow.CellHeight);
  TPlace at = CellPlace(GridNow, k % GridNow.Columns, k / GridNow.Columns, fit.Width, fit.Height);
  QPainter p(&Offscreen);
  p.drawImage(QRect(at.X, at.Y, at.Width, at.Height), platform::ToQImage(picture));
}

void TImageBrowserForm::ThumbnailArrived(uint64_t generation, int index, const std::string& path,
                                         std::shared_ptr<const editor::TBitmap> picture) {
  if (generation != Generation || PathOf(index) != path) return;
  Thumbs.Store(path, picture);
  DrawCell(index, *picture);
  --Pending;
  size_t row = static_cast<size_t>((index - FirstIndex) / GridNow.Columns);
  bool rowDone = row < RowPending.size() && --RowPending[row] == 0;
  // Every finished row is shown; in folder mode also a single new picture
  // after half a second without a showing.
  if (rowDone || Pending == 0 || (!InWebMode && SinceShown.elapsed() > 500)) ShowOffscreen();
}

void TImageBrowserForm::ShowOffscreen() {
  BrowseImage->SetImage(Offscreen);
  SinceShown.restart();
}

void TImageBrowserForm::BrowseScrollBarChange(int position) {
  if (Drawing || FirstIndex / GridNow.Columns == position) return;
  FirstIndex = position * GridNow.Columns;
  Draw();
}

void TImageBrowserForm::BrowseImageMouseMove(int x, int y) {
  int i = IndexAt(GridNow, FirstIndex, x, y);
  bool valid = i >= 0 && i < Count();
  if (InWebMode) {
    SetStatus(valid ? Session.Images()[static_cast<size_t>(i)].Url
                    : WebImageCountText(static_cast<int>(Session.Images().size())));
    return;
  }
  const auto* f = valid ? &FileList[static_cast<size_t>(i)] : nullptr;
  SetStatus(f ? FileStatusText(f->Name, f->Size) : ImageCountText(Count()));
}

void TImageBrowserForm::BrowseImageDblClick(int x, int y) {
  std::string path = PathOf(IndexAt(GridNow, FirstIndex, x, y));
  if (path.empty() || !Editor.OpenImage) return;
  if (Editor.OpenImage(path) && Editor.ShowEditor) Editor.ShowEditor();
}

void TImageBrowserForm::SetStatus(const std::string& text) {
  StatusBar1->setText(QString::fromStdString(text));
  if (StatusShown) StatusShown(text);
}

}  // namespace lumarte::browser
