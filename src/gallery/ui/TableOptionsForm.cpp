#include "gallery/ui/TableOptionsForm.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "ui/Named.h"

namespace lumarte::gallery {

TThumbnailCreatorTableOptionsForm::TThumbnailCreatorTableOptionsForm(QWidget* parent)
    : TStyleOptionsForm("ThumbnailCreatorTableOptionsForm", "Options Table", parent),
      BorderEdit(ui::Named(new QSpinBox, "BorderEdit")),
      TableWidthEdit(ui::Named(new QLineEdit, "TableWidthEdit")),
      TDCenterRadioButton(Radio("TDCenterRadioButton", "center")),
      TDLeftRadioButton(Radio("TDLeftRadioButton", "left")),
      TDRightRadioButton(Radio("TDRightRadioButton", "right")),
      TDMiddleRadioButton(Radio("TDMiddleRadioButton", "middle")),
      TDTopRadioButton(Radio("TDTopRadioButton", "top")),
      TDBottomRadioButton(Radio("TDBottomRadioButton", "bottom")) {
  CSSClassEdit = AddCssClassRow();
  BorderEdit->setRange(0, 99);
  TableWidthEdit->setPlaceholderText("e.g. 600 or 100%");
  auto* form = new QFormLayout;
  form->addRow("Border", BorderEdit);
  form->addRow("Width", TableWidthEdit);
  Body->addLayout(form);
  auto* aligns = new QHBoxLayout;
  aligns->addWidget(RadioGroup("TDAlignGroup", "TD Alignment",
                               {TDCenterRadioButton, TDLeftRadioButton, TDRightRadioButton}));
  aligns->addWidget(RadioGroup("TDVAlignGroup", "TD Vertical Alignment",
                               {TDMiddleRadioButton, TDTopRadioButton, TDBottomRadioButton}));
  Body->addLayout(aligns);
  Load(TGallerySettings());
}

void TThumbnailCreatorTableOptionsForm::Load(const TGallerySettings& s) {
  CSSClassEdit->setText(QString::fromStdString(s.Table.CSSClass));
  BorderEdit->setValue(s.Table.Border);
  TableWidthEdit->setText(QString::fromStdString(s.Table.Width));
  QRadioButton* across[] = {TDLeftRadioButton, TDCenterRadioButton, TDRightRadioButton};
  across[static_cast<int>(s.Table.TDAlign)]->setChecked(true);
  QRadioButton* down[] = {TDTopRadioButton, TDMiddleRadioButton, TDBottomRadioButton};
  down[static_cast<int>(s.Table.TDVAlign)]->setChecked(true);
}

void TThumbnailCreatorTableOptionsForm::Store(TGallerySettings& s) const {
  s.Table.CSSClass = CSSClassEdit->text().toStdString();
  s.Table.Border = BorderEdit->value();
  s.Table.Width = TableWidthEdit->text().toStdString();
  s.Table.TDAlign = TDLeftRadioButton->isChecked()    ? THAlign::Left
                    : TDRightRadioButton->isChecked() ? THAlign::Right
                                                      : THAlign::Center;
  s.Table.TDVAlign = TDTopRadioButton->isChecked()      ? TVAlign::Top
                     : TDBottomRadioButton->isChecked() ? TVAlign::Bottom
                                                        : TVAlign::Middle;
}

}  // namespace lumarte::gallery
