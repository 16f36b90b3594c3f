#pragma once
// The PNG transparency choice, with a preview of what will be transparent.
#include <QDialog>

#include <functional>
#include <optional>

#include "editor/model/Bitmap.h"
#include "editor/model/EditorPrompts.h"

class QLabel;
class QRadioButton;
class QPushButton;

namespace lumarte::ui {
class TPicturePane;
}  // namespace lumarte::ui

namespace lumarte::editor {

using ui::TPicturePane;

class TPNGSaveForm : public QDialog {
 public:
  explicit TPNGSaveForm(QWidget* parent = nullptr);

  // Sets the dialog up for the raster and shows it modally.
  void Execute(const editor::TBitmap& bitmap, bool documentTransparent, editor::TColor currentColor,
               editor::TColor documentColor);
  // Execute without showing: the state the dialog opens with.
  void Prepare(const editor::TBitmap& bitmap, bool documentTransparent, editor::TColor currentColor,
               editor::TColor documentColor);
  editor::TPngTransparency Choice() const;
  // The current transparent colour, as "Edit Transparent Color" left it.
  editor::TColor CurrentTransparentColor() const { return CurrentColor; }

  // Opens the program's colour window; returns the interval's new centre,
  // or nothing when cancelled. Without it the button is off.
  std::function<std::optional<editor::TColor>()> EditTransparentColor;

  QRadioButton* UseOriginalRadioButton;
  QRadioButton* TransparentRadioButton;
  QRadioButton* NotTransparentRadioButton;
  QRadioButton* OneToOneRadioButton;
  QRadioButton* FullImageRadioButton;
  TPicturePane* Preview;

 private:
  void RefreshPreview();
  editor::TBitmap Bitmap;
  bool DocumentTransparent = false;
  editor::TColor CurrentColor = editor::clBlack;
  editor::TColor DocumentColor = editor::clInvalid;
  QLabel* StateLabel;
  QLabel* DocumentSwatch;
  QLabel* CurrentSwatch;
  QPushButton* EditColorButton;
  void EditColorButtonClick();
};

}  // namespace lumarte::editor
