#pragma once
// The Images window: the ten open images above, the current image's undo
// history below; a double-click switches or picks.
#include <functional>
#include <string>

#include <QImage>
#include <QWidget>

#include "editor/model/Bitmap.h"

class QLabel;

namespace lumarte::editor {

// One stretched thumbnail with its hint.
class TThumbnail : public QWidget {
 public:
  explicit TThumbnail(QWidget* parent = nullptr);
  void SetPicture(const TBitmap& raster, const std::string& hint);
  const QImage& Picture() const { return Image; }
  std::function<void()> OnDoubleClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage Image;
};

class Timagesform1 : public QWidget {
 public:
  explicit Timagesform1(QWidget* parent = nullptr);

  // k = 1..10. Document thumbnail k shows slot k-1; history thumbnail 1 the
  // redo picture, 2..10 the undo levels.
  TThumbnail* DocumentThumbnail(int k) const { return Documents[k - 1]; }
  TThumbnail* HistoryThumbnail(int k) const { return History[k - 1]; }
  std::function<void(int)> OnDocumentPicked;
  std::function<void(int)> OnHistoryPicked;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceThumbnails();
  TThumbnail* Documents[10];
  TThumbnail* History[10];
  QLabel* UpperLabel;
  QLabel* LowerLabel;
  QLabel* RedoLabel;
};

}  // namespace lumarte::editor
