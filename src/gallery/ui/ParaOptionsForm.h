#pragma once
// "Options Paragraph": the paragraph's alignment and CSS class.
#include "gallery/ui/StyleOptionsForm.h"

namespace lumarte::gallery {

class TThumbnailCreatorParaOptionsForm : public TStyleOptionsForm {
 public:
  explicit TThumbnailCreatorParaOptionsForm(QWidget* parent);
  void Load(const TGallerySettings& s) override;
  void Store(TGallerySettings& s) const override;

  QLineEdit* CSSClassEdit;
  QRadioButton *LeftRadioButton, *CenterRadioButton, *RightRadioButton;
};

}  // namespace lumarte::gallery
