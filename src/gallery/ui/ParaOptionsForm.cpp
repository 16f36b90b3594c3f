#include "gallery/ui/ParaOptionsForm.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace lumarte::gallery {

TThumbnailCreatorParaOptionsForm::TThumbnailCreatorParaOptionsForm(QWidget* parent)
    : TStyleOptionsForm("ThumbnailCreatorParaOptionsForm", "Options Paragraph", parent),
      LeftRadioButton(Radio("LeftRadioButton", "left")),
      CenterRadioButton(Radio("CenterRadioButton", "center")),
      RightRadioButton(Radio("RightRadioButton", "right")) {
  CSSClassEdit = AddCssClassRow();
  Body->addWidget(RadioGroup("AlignmentGroup", "Alignment",
                             {LeftRadioButton, CenterRadioButton, RightRadioButton}));
  Load(TGallerySettings());
}

void TThumbnailCreatorParaOptionsForm::Load(const TGallerySettings& s) {
  CSSClassEdit->setText(QString::fromStdString(s.Para.CSSClass));
  QRadioButton* pick[] = {LeftRadioButton, CenterRadioButton, RightRadioButton};
  pick[static_cast<int>(s.Para.Align)]->setChecked(true);
}

void TThumbnailCreatorParaOptionsForm::Store(TGallerySettings& s) const {
  s.Para.CSSClass = CSSClassEdit->text().toStdString();
  s.Para.Align = CenterRadioButton->isChecked()  ? THAlign::Center
                 : RightRadioButton->isChecked() ? THAlign::Right
                                                 : THAlign::Left;
}

}  // namespace lumarte::gallery
