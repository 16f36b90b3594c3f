#pragma once
// The dialog that picks the image (and the transparent colour) when an icon or
// cursor file holds several.
#include <QDialog>
#include <functional>
#include <memory>

#include "imaging/ICOLoader.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace lumarte::editor {

class TIconSelectionForm : public QDialog {
  Q_OBJECT
 public:
  explicit TIconSelectionForm(QWidget* parent = nullptr);

  // Fills the list (the first entry selected) and the preview.
  void SetIcons(const imaging::TIconList& icons, uint32_t transparentColor);
  // Forgets the list (it belongs to the load that asked).
  void ClearIcons();
  int SelectedIndex() const;
  uint32_t TransparentColor() const { return Color; }

  // Asks the user for a colour (0x00BBGGRR); false when cancelled. A colour
  // dialog by default; tests answer it themselves.
  std::function<bool(uint32_t&)> PickColor;

  QLabel* Note;
  QComboBox* IconBox;
  QLabel* Preview;
  QLabel* ColorLabel;
  QPushButton* ColorButton;
  QPushButton* OkButton;
  QPushButton* CancelButton;

 public slots:
  void UpdatePreview();
  void ChooseColor();

 private:
  bool AskColorDialog(uint32_t& color);

  const imaging::TIconList* Icons = nullptr;
  uint32_t Color = 0x00FF00FF;
};

// The editor's answer to TICOLoader: the dialog above, created on first use
// and kept.
class TIconSelectionChooser : public imaging::TIconChooser {
 public:
  bool ChooseIcon(const imaging::TIconList& icons, int& index, uint32_t& transparentColor) override;
  // Runs once on the dialog when it is made (the editor applies its language).
  std::function<void(QWidget*)> FormCreated;

 private:
  std::unique_ptr<TIconSelectionForm> Form;
};

}  // namespace lumarte::editor
