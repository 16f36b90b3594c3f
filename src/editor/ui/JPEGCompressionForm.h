#pragma once
// The JPEG save options: quality, progressive encoding, presets, and a
// preview of the compressed file with its size.
#include <QDialog>
#include <memory>

#include "editor/model/Bitmap.h"
#include "ui/ScrollStepper.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace lumarte::ui {
class TPicturePane;
}  // namespace lumarte::ui

namespace lumarte::editor {

using ui::TPicturePane;

class TJPEGCompressionForm : public QDialog {
 public:
  explicit TJPEGCompressionForm(QWidget* parent = nullptr);

  // Shows the dialog modally for the raster; true on OK.
  bool Execute(const editor::TBitmap& bitmap);
  // Execute without showing: the image and the first preview.
  void Prepare(const editor::TBitmap& bitmap);
  int Quality() const;
  bool Progressive() const;
  // Compresses with the current settings and shows the result and its size.
  void MakePreview();
  void ChoosePreset(int index);

  QSlider* CompressionBar;
  QCheckBox* ProgressiveEncodingCheckbox;
  QComboBox* PresetComboBox;
  QLabel* SizeLabel;
  QRadioButton* OneToOneRadioButton;
  QRadioButton* FullImageRadioButton;
  TPicturePane* ImagePane;
  TPicturePane* PreviewPane;
  std::unique_ptr<ui::TScrollStepper> Stepper;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void BarMoved();
  editor::TBitmap Bitmap;
};

}  // namespace lumarte::editor
