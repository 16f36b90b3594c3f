#pragma once
// "Options Table": CSS class, border, width and the cells' alignments.
#include "gallery/ui/StyleOptionsForm.h"

class QSpinBox;

namespace lumarte::gallery {

class TThumbnailCreatorTableOptionsForm : public TStyleOptionsForm {
 public:
  explicit TThumbnailCreatorTableOptionsForm(QWidget* parent);
  void Load(const TGallerySettings& s) override;
  void Store(TGallerySettings& s) const override;

  QLineEdit* CSSClassEdit;
  QSpinBox* BorderEdit;
  QLineEdit* TableWidthEdit;
  QRadioButton *TDCenterRadioButton, *TDLeftRadioButton, *TDRightRadioButton;
  QRadioButton *TDMiddleRadioButton, *TDTopRadioButton, *TDBottomRadioButton;
};

}  // namespace lumarte::gallery
