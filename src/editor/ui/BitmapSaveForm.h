#pragma once
// The colour depth of a Windows bitmap, with a preview of the reduced image.
#include <optional>

#include <QDialog>

#include "editor/model/Bitmap.h"

class QLabel;
class QRadioButton;

namespace lumarte::ui {
class TPicturePane;
}  // namespace lumarte::ui

namespace lumarte::editor {

using ui::TPicturePane;

class TBitmapSaveForm : public QDialog {
 public:
  explicit TBitmapSaveForm(QWidget* parent = nullptr);

  // Shows the dialog modally; the chosen bits per pixel on OK.
  std::optional<int> Execute(const editor::TBitmap& bitmap);
  void Prepare(const editor::TBitmap& bitmap);
  // Bits per pixel of the ticked depth.
  int ChosenBits() const;
  // The depth that the preview was made with.
  int PreviewBits() const { return ShownBits; }

  QRadioButton* DepthButtons[4];
  TPicturePane* Preview;
  QLabel* MessageLabel;

 private:
  void Convert();
  editor::TBitmap Bitmap;
  int ShownBits = 24;
};

}  // namespace lumarte::editor
