#pragma once
// "Resize": a plain dialog (no preview) that resamples the whole image of
// the current document to a new size as one undo step.
#include <QDialog>
#include <functional>

#include "editor/model/DocumentList.h"

class QLineEdit;
class QPushButton;

namespace lumarte::effects {

class TResizeForm : public QDialog {
  Q_OBJECT

 public:
  // displaySize gives the main window's image display (for the ratio buttons).
  TResizeForm(editor::DocumentList& documents, std::function<QSize()> displaySize, QWidget* parent);

  QLineEdit *WidthEdit, *HeightEdit, *WidthPercent, *HeightPercent;
  QPushButton *RSUseWidth, *RSUseHeight, *RSResize, *RSCancelButton1;

  void RSUseWidthClick();
  void RSUseHeightClick();
  void RSResizeClick();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void ConnectPair(QLineEdit* pixels, QLineEdit* percent, bool height);
  void PixelsChanged(QLineEdit* pixels, QLineEdit* percent, int imageSize);
  void PercentChanged(QLineEdit* percent, QLineEdit* pixels, int imageSize);
  int ImageWidth() const;
  int ImageHeight() const;
  editor::DocumentList& Docs;
  std::function<QSize()> DisplaySize;
};

}  // namespace lumarte::effects
