#pragma once
// "Options List": ordered or unordered list and its CSS class.
#include "gallery/ui/StyleOptionsForm.h"

namespace lumarte::gallery {

class TThumbnailCreatorListOptionsForm : public TStyleOptionsForm {
 public:
  explicit TThumbnailCreatorListOptionsForm(QWidget* parent);
  void Load(const TGallerySettings& s) override;
  void Store(TGallerySettings& s) const override;

  QRadioButton *OrderedListRadioButton, *UnorderedListRadioButton;
  QLineEdit* CSSClassEdit;
};

}  // namespace lumarte::gallery
