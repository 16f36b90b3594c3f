#pragma once
// "Options Collage/Image Map": how the thumbnails are placed on the collage
// picture, its background colour and alignment.
#include "gallery/ui/StyleOptionsForm.h"

class QCheckBox;
class QComboBox;

namespace lumarte::gallery {

class TThumbnailCreatorCollageOptionsForm : public TStyleOptionsForm {
 public:
  explicit TThumbnailCreatorCollageOptionsForm(QWidget* parent);
  void Load(const TGallerySettings& s) override;
  void Store(TGallerySettings& s) const override;

  QRadioButton *TableRadioButton, *RandomRadioButton, *CircleRadioButton;
  QComboBox* ComboBox1;
  QCheckBox* CenterCheckbox;
  QLineEdit* CSSClassEdit;
};

}  // namespace lumarte::gallery
